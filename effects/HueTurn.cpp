#include "effects/Effects.h"

namespace orvane::fx {

void HueTurn(Image img, Options options) {
    // Rotation about the grey axis in fixed point; 90..270 degrees so the change is plain.
    const double degrees = 90.0 + (options.B() - 1) * 180.0 / 255.0;
    const double rad = degrees * kPi / 180.0;
    const double cs = Cosine(rad);
    const double sn = Sine(rad) * 0.5773502691896258;  // sin / sqrt(3)
    const double k = (1.0 - cs) / 3.0;
    const auto fixed = [](double v) { return static_cast<int>(v * 4096.0 + (v < 0 ? -0.5 : 0.5)); };
    const int diag = fixed(cs + k);
    const int plus = fixed(k + sn);
    const int minus = fixed(k - sn);
    ForEachLand(img, [&](Colour c, int, int) {
        const int r = RedOf(c);
        const int g = GreenOf(c);
        const int b = BlueOf(c);
        return LandColour((diag * r + minus * g + plus * b + 2048) >> 12,
                          (plus * r + diag * g + minus * b + 2048) >> 12,
                          (minus * r + plus * g + diag * b + 2048) >> 12);
    });
}

}  // namespace orvane::fx

// The picture effects. Each keeps the size, draws no random numbers (noise comes from a hash
// of the pixel position) and leaves a playable map: empty space stays empty and land stays
// land, except where an effect moves whole regions (swirl, waves) or cuts on purpose
// (crumble); those sweep away the specks they could leave in the sky.
//
//   1   relief: land lit from the top left, edges against the sky bevelled. A: depth.
//   2A  blur: land averaged with nearby land only, so outlines stay sharp. A: radius.
//   2B  sharpen: land pushed away from its own blur. A: strength.
//   2C  edges: land darkened, colour edges and outlines glowing. B: glow gain.
//   3A  grain: brightness noise on land. B: strength.
//   3B  mosaic: land in square cells takes the cell's mean land colour. A: cell side.
//   4A  solarise: channels above a threshold inverted. B: threshold.
//   4B  posterise: few levels per channel. A: number of levels.
//   4C  swirl: the picture turned about its centre, most near the middle. A: angle.
//   5A  waves: rows and columns shifted along sine waves. A: amplitude, B: wavelength.
//   5B  hue turn: colours rotated around the grey axis. B: angle.
//   6   crumble: land edges bitten away in rough blobs, loose crumbs dropped. A: bite depth.
//   7   bricks (size, colour): land laid as staggered bricks of `size` pixels with mortar
//       joints in `colour`, each brick a little lighter or darker.
//
// Option A (5..20) and option B (1..256) are set by the finishing stage only on some maps;
// otherwise (0) the effects use the middle of the range (A 10, B 128).
#include "canvas/Canvas.h"
#include "canvas/effects/EffectSupport.h"

namespace orvane {

void Canvas::ApplyEffect3A() {
    const int strength = 6 + fx::OptionB(effectOptionB_) / 8;  // 6..38 levels either way
    fx::ForEachLand({pixels_, width_, height_}, [strength](Colour c, int x, int y) {
        const std::uint32_t hv =
            fx::Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 0x3A);
        // Sum of two uniform values: a softer, triangular grain.
        const int n = static_cast<int>(hv & 255u) + static_cast<int>((hv >> 8) & 255u) - 255;
        const int d = n * strength / 255;
        return fx::EachChannel(c, [d](int v) { return v + d; });
    });
}

void Canvas::ApplyEffect4A() {
    // Threshold 64..192, so the effect always shows.
    const int t = 64 + (fx::OptionB(effectOptionB_) - 1) * 128 / 255;
    const auto flip = [t](int v) { return v > t ? 255 - v : v; };
    fx::ForEachLand({pixels_, width_, height_},
                    [&](Colour c, int, int) { return fx::EachChannel(c, flip); });
}

void Canvas::ApplyEffect4B() {
    const int levels = 2 + fx::OptionA(effectOptionA_) / 5;  // 3..6
    const auto step = [levels](int v) {
        const int q = (v * (levels - 1) + 127) / 255;
        return q * 255 / (levels - 1);
    };
    fx::ForEachLand({pixels_, width_, height_},
                    [&](Colour c, int, int) { return fx::EachChannel(c, step); });
}

void Canvas::ApplyEffect5B() {
    // Rotation about the grey axis in fixed point; 90..270 degrees so the change is plain.
    const double degrees = 90.0 + (fx::OptionB(effectOptionB_) - 1) * 180.0 / 255.0;
    const double rad = degrees * 3.141592653589793 / 180.0;
    const double cs = fx::Cosine(rad);
    const double sn = fx::Sine(rad) * 0.5773502691896258;  // sin / sqrt(3)
    const double k = (1.0 - cs) / 3.0;
    const auto fixed = [](double v) { return static_cast<int>(v * 4096.0 + (v < 0 ? -0.5 : 0.5)); };
    const int diag = fixed(cs + k);
    const int plus = fixed(k + sn);
    const int minus = fixed(k - sn);
    fx::ForEachLand({pixels_, width_, height_}, [&](Colour c, int, int) {
        const int r = RedOf(c);
        const int g = GreenOf(c);
        const int b = BlueOf(c);
        return fx::LandColour((diag * r + minus * g + plus * b + 2048) >> 12,
                              (plus * r + diag * g + minus * b + 2048) >> 12,
                              (minus * r + plus * g + diag * b + 2048) >> 12);
    });
}

void Canvas::ApplyEffect7(std::int32_t size, Colour colour) {
    const fx::Image img{pixels_, width_, height_};
    const int bw = std::max(size, 4);
    const int bh = std::max(bw / 2, 2);
    const int joint = std::max(1, bw / 15);
    // Mortar in sky colour would cut the land into loose bricks: keep it land.
    const Colour mortar = colour == 0 ? RGB(1, 1, 1) : colour;
    for (int y = 0; y < height_; ++y) {
        const int row = y / bh;
        const int shift = (row & 1) ? bw / 2 : 0;
        const bool rowJoint = y % bh < joint;
        for (int x = 0; x < width_; ++x) {
            Colour& c = img.At(x, y);
            if (c == 0) continue;
            const int col = (x + shift) / bw;
            if (rowJoint || (x + shift) % bw < joint) {
                c = mortar;
                continue;
            }
            const std::uint32_t hv =
                fx::Hash(static_cast<std::uint32_t>(col), static_cast<std::uint32_t>(row), 0x7);
            const int f = 218 + static_cast<int>(hv % 77u);  // 0.85..1.15 of the colour
            c = fx::EachChannel(c, [f](int v) { return v * f >> 8; });
        }
    }
}

}  // namespace orvane

#include "effects/EffectSupport.h"

#include <cmath>

namespace orvane::fx {

double Sine(double radians) {
    constexpr double kTwoPi = 2 * kPi;
    double x = radians - kTwoPi * std::nearbyint(radians / kTwoPi);  // -pi..pi
    if (x > kPi / 2) x = kPi - x;
    if (x < -kPi / 2) x = -kPi - x;
    // Taylor series to x^15: below 1e-11 on [-pi/2, pi/2].
    const double x2 = x * x;
    double term = x;
    double sum = x;
    for (int k = 1; k <= 7; ++k) {
        term = -term * x2 / static_cast<double>((2 * k) * (2 * k + 1));
        sum += term;
    }
    return sum;
}

LumaBuffer LumaMap(std::span<const Colour> px) {
    LumaBuffer l(px.size());
    for (std::size_t i = 0; i < px.size(); ++i)
        l[i] = static_cast<std::uint8_t>(px[i] == 0 ? 0 : Luma(px[i]));
    return l;
}

}  // namespace orvane::fx

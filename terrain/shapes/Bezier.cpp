#include "terrain/shapes/Bezier.h"

#include <cmath>

#include "core/Numeric.h"

namespace orvane {

Outline BezierPoints(const std::array<ShapePoint, 4>& controls, double step) {
    // A step that is not positive would never reach t > 1.
    if (!(step > 0.0) || !std::isfinite(step)) throw RunError("Bezier step must be positive");
    const ShapePoint& p0 = controls[0];
    const ShapePoint& p1 = controls[1];
    const ShapePoint& p2 = controls[2];
    const ShapePoint& p3 = controls[3];

    const std::int32_t cx = CheckedMul(3, CheckedSub(p1.X, p0.X));
    const std::int32_t bx = CheckedSub(CheckedMul(3, CheckedSub(p2.X, p1.X)), cx);
    const std::int32_t ax = CheckedSub(CheckedSub(CheckedSub(p3.X, p0.X), cx), bx);
    const std::int32_t cy = CheckedMul(3, CheckedSub(p1.Y, p0.Y));
    const std::int32_t by = CheckedSub(CheckedMul(3, CheckedSub(p2.Y, p1.Y)), cy);
    const std::int32_t ay = CheckedSub(CheckedSub(CheckedSub(p3.Y, p0.Y), cy), by);

    const std::int32_t slots = CheckedAdd(CLng(1.0 / step + 1.0), 1);
    Outline out(static_cast<std::size_t>(slots));
    std::size_t k = 0;
    for (double t = 0.0; t <= 1.0; t += step) {
        if (k >= out.size()) throw RunError("Bezier sample index out of range");
        // Powers by plain multiplication: pow() may round differently between libraries.
        const double t2 = t * t;
        const double t3 = t2 * t;
        out[k].X = CLng(ax * t3 + bx * t2 + cx * t + p0.X);
        out[k].Y = CLng(ay * t3 + by * t2 + cy * t + p0.Y);
        ++k;
    }
    if (k > 0 && out[k - 1].X == 0) --k;
    if (k >= out.size()) throw RunError("Bezier end index out of range");
    out[k] = ShapePoint{p3.X, p3.Y, 0};
    out.resize(k + 1);
    return out;
}

std::int32_t AppendPoints(Outline& dest, std::int32_t count, std::span<const ShapePoint> src,
                          std::uint8_t quadrant) {
    if (count < 0) throw RunError("Negative outline count");
    const std::int32_t total = CheckedAdd(count, static_cast<std::int32_t>(src.size()));
    dest.resize(static_cast<std::size_t>(total));
    std::size_t at = static_cast<std::size_t>(count);
    for (const ShapePoint& p : src) dest[at++] = ShapePoint{p.X, p.Y, quadrant};
    return total;
}

}  // namespace orvane

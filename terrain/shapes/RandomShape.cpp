#include "terrain/shapes/RandomShape.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "core/Numeric.h"
#include "core/Trig.h"
#include "terrain/shapes/Bezier.h"

namespace orvane {

namespace {

constexpr double kBezierStep = 0.112;

// Four control points collected by the smoothing walk; each full set becomes one Bezier
// segment whose points take the Quadrant of the segment's first control point.
class SegmentBuffer {
  public:
    explicit SegmentBuffer(Outline& out) : out_(out) {}

    void Add(const ShapePoint& p) {
        if (filled_ == 4) Flush();
        slots_[filled_++] = p;
    }

    // Pads a partial set with copies of its last point, then emits it.
    void Finish() {
        if (filled_ == 0) return;
        for (; filled_ < 4; ++filled_) slots_[filled_] = slots_[filled_ - 1];
        Flush();
    }

    void Emit(const std::array<ShapePoint, 4>& controls) {
        const Outline curve = BezierPoints(controls, kBezierStep);
        count_ = AppendPoints(out_, count_, curve, controls[0].Quadrant);
    }

  private:
    void Flush() {
        Emit(slots_);
        slots_[0] = slots_[3];
        filled_ = 1;
    }

    Outline& out_;
    std::array<ShapePoint, 4> slots_{};
    int filled_ = 0;
    std::int32_t count_ = 0;
};

const ShapePoint& At(const std::vector<ShapePoint>& pts, std::int32_t i) {
    if (i < 1 || i >= static_cast<std::int32_t>(pts.size()))
        throw RunError("Outline point index out of range");
    return pts[static_cast<std::size_t>(i)];
}

// Outline angles are whole degrees (1..360), so the portable sine and cosine of each, taken of
// the single-precision radians the angles are defined with, are worked out once.
struct DegreeTrig {
    std::array<double, 361> cos{};
    std::array<double, 361> sin{};
};

const DegreeTrig& Degrees() {
    static const DegreeTrig table = [] {
        DegreeTrig t;
        for (std::size_t deg = 0; deg < t.cos.size(); ++deg) {
            const float rad = CSng(static_cast<double>(deg) * kPiSingleDigits / 180.0);
            t.cos[deg] = ExactCos(static_cast<double>(rad));
            t.sin[deg] = ExactSin(static_cast<double>(rad));
        }
        return t;
    }();
    return table;
}

// x += a * s - b * s with the two draws made in that order (a first).
float Wander(Random& rng, float f, float s) {
    const double added = rng.Rnd();
    const double taken = rng.Rnd();
    return CSng(f + added * s - taken * s);
}

}  // namespace

namespace {

// Plain 64-bit arithmetic, for coordinates known to keep every term inside 32 bits.
struct Unchecked {
    static std::int64_t Sub(std::int64_t a, std::int64_t b) { return a - b; }
    static std::int64_t Mul(std::int64_t a, std::int64_t b) { return a * b; }
};
// 32-bit arithmetic that fails on overflow.
struct Checked {
    static std::int32_t Sub(std::int32_t a, std::int32_t b) { return CheckedSub(a, b); }
    static std::int32_t Mul(std::int32_t a, std::int32_t b) { return CheckedMul(a, b); }
};

template <class A>
bool Cross(const ShapePoint& a, const ShapePoint& b, const ShapePoint& c, const ShapePoint& d) {
    const auto abx = A::Sub(b.X, a.X);
    const auto aby = A::Sub(b.Y, a.Y);
    const auto cdx = A::Sub(d.X, c.X);
    const auto cdy = A::Sub(d.Y, c.Y);
    const auto cax = A::Sub(a.X, c.X);
    const auto cay = A::Sub(a.Y, c.Y);
    const std::int64_t den = A::Sub(A::Mul(abx, cdy), A::Mul(cdx, aby));
    if (den == 0) return false;
    const std::int64_t na = A::Sub(A::Mul(cdx, cay), A::Mul(cdy, cax));
    const std::int64_t nb = A::Sub(A::Mul(abx, cay), A::Mul(aby, cax));
    // Most pairs are far apart: a quotient outside (0, 1) fails the bounds below whatever its
    // rounding, so this exact integer test saves the two divisions.
    const std::int64_t size = den < 0 ? -den : den;
    const auto between = [&](std::int64_t num) {
        return num != 0 && (num > 0) == (den > 0) && (num < 0 ? -num : num) < size;
    };
    if (!between(na) || !between(nb)) return false;
    const double ua = static_cast<double>(na) / static_cast<double>(den);
    const double ub = static_cast<double>(nb) / static_cast<double>(den);
    return ua >= 0.01 && ua <= 0.99 && ub >= 0.01 && ub <= 0.99;
}

// Below 2^14 in size, differences stay below 2^15, products below 2^30 and their
// differences inside 32 bits: no check can fail.
bool Small(const ShapePoint& p) {
    constexpr std::int32_t kLimit = 1 << 14;
    return p.X > -kLimit && p.X < kLimit && p.Y > -kLimit && p.Y < kLimit;
}

}  // namespace

std::optional<std::int32_t> FindCrossing(const ShapePoint& a, const ShapePoint& b,
                                         std::int32_t skip, std::int32_t first, std::int32_t last,
                                         std::span<const ShapePoint> points) {
    // Outlines are searched point against every earlier point: the overflow checks, which
    // cannot fail for map-sized coordinates, are made once for all points in reach.
    const auto size = static_cast<std::int64_t>(points.size());
    bool small = Small(a) && Small(b);
    for (std::int64_t u = std::max<std::int64_t>(first - 1, 0);
         small && u <= std::min<std::int64_t>(last, size - 1); ++u)
        small = Small(points[static_cast<std::size_t>(u)]);
    // Segments cross only where their boxes meet, and most segments in reach lie well away
    // from this one; with checks, every pair is still tried, so an overflow still fails.
    const std::int32_t left = std::min(a.X, b.X), right = std::max(a.X, b.X);
    const std::int32_t top = std::min(a.Y, b.Y), bottom = std::max(a.Y, b.Y);
    for (std::int32_t j = first; j <= last; ++j) {
        if (j == skip) continue;
        if (j < 1 || j >= static_cast<std::int32_t>(points.size()))
            throw RunError("Crossing search index out of range");
        const ShapePoint& c = points[static_cast<std::size_t>(j)];
        const ShapePoint& d = points[static_cast<std::size_t>(j) - 1];
        if (small) {
            if (std::max(c.X, d.X) < left || std::min(c.X, d.X) > right ||
                std::max(c.Y, d.Y) < top || std::min(c.Y, d.Y) > bottom)
                continue;
            if (Cross<Unchecked>(a, b, c, d)) return j;
        } else if (Cross<Checked>(a, b, c, d)) {
            return j;
        }
    }
    return std::nullopt;
}

Outline RandomShape(Random& rng, const Rect& box, float minX, float minY, std::int32_t n) {
    if (n < 0) throw RunError("Negative outline point count");
    const std::int32_t w = CheckedSub(box.Right, box.Left);
    const std::int32_t h = CheckedSub(box.Bottom, box.Top);
    const std::int32_t rx = CLng(w / 2.0);
    const std::int32_t ry = CLng(h / 2.0);
    const std::int32_t cx = CLng(w / 2.0 + box.Left);
    const std::int32_t cy = CLng(h / 2.0 + box.Top);

    // Every draw is made whatever the arguments ask for, so outlines stay in step.
    float fx = rng.Rnd();
    float fy = rng.Rnd();
    const float drawnKx = CSng(rng.Rnd() * 0.7);
    const float kx = minX != 0.0f ? minX : drawnKx;
    const float drawnKy = CSng(rng.Rnd() * 0.7);
    const float ky = minY != 0.0f ? minY : drawnKy;
    const float sx = CSng(rng.Rnd() * 0.8 + 0.2);
    const float sy = CSng(rng.Rnd() * 0.8 + 0.2);
    const std::int32_t extra = rng.RndInt(80);
    const std::int32_t count = n != 0 ? n : 80 + extra;

    // Raw points and the segment each one's segment crossed, numbered 1..count (slot 0 unused).
    constexpr std::int32_t kNoCrossing = 0;
    std::vector<ShapePoint> pts(static_cast<std::size_t>(count) + 1);
    std::vector<std::int32_t> link(static_cast<std::size_t>(count) + 1, 0);
    const float dA = CSng(360.0 / count);
    const DegreeTrig& trig = Degrees();

    for (std::int32_t i = 1; i <= count; ++i) {
        std::int32_t angle = CLng(static_cast<double>(dA) * i) % 360 + 15;
        if (angle > 360) angle %= 360;
        const std::uint8_t q = angle <= 90 ? 1 : angle <= 180 ? 2 : angle <= 270 ? 3 : 4;

        if (rng.Chance(0.4)) fx = Wander(rng, fx, sx);
        if (rng.Chance(0.8)) fy = Wander(rng, fy, sy);

        // The radius may bulge up to 30% on the diagonals, less towards the axes.
        const std::int32_t a = angle - 90 * (q - 1);
        const std::int32_t d = a <= 45 ? a : 90 - a;
        const double e = d / 0.45 * 0.003;
        if (e + 1.0 < fx) fx = CSng(e + 1.0 - rng.Rnd() * 0.25);
        if (e + 1.0 < fy) fy = CSng(e + 1.0 - rng.Rnd() * 0.25);
        if (fx < kx) fx = CSng(kx + (e + 1.0 - kx) * 0.25 * rng.Rnd());
        if (fy < ky) fy = CSng(ky + (e + 1.0 - ky) * 0.25 * rng.Rnd());

        ShapePoint& p = pts[static_cast<std::size_t>(i)];
        const auto deg = static_cast<std::size_t>(angle);
        p.X = CheckedAdd(CLng(static_cast<double>(fx) * rx * trig.cos[deg]), cx);
        p.Y = CheckedAdd(CLng(static_cast<double>(fy) * ry * -trig.sin[deg]), cy);
        p.Quadrant = q;

        if (i > 2) {
            // Only the last 49 segments are searched: crossings come from nearby wobbles.
            const std::int32_t first = i <= 50 ? 2 : i - 49;
            link[static_cast<std::size_t>(i)] =
                FindCrossing(p, At(pts, i - 1), i, first, i, pts).value_or(kNoCrossing);
        }
    }

    // Trim points at whichever end is nearer the crossing until the closing segment is clean.
    std::int32_t k = 1;
    std::int32_t m = count;
    for (;;) {
        const auto c = FindCrossing(At(pts, m), At(pts, k), m, k + 1, m, pts);
        if (!c) break;
        if ((m - k) / 2.0 < *c) {
            --m;
        } else {
            ++k;
        }
    }

    Outline out;
    if (m - k < 3) {
        // Too few points survive to walk and pad: close the kept points on themselves, in
        // the same clockwise order as a smoothed outline. Only tiny explicit counts get here.
        for (std::int32_t j = m; j >= k; --j) out.push_back(At(pts, j));
        out.push_back(At(pts, m));
        return out;
    }

    // Walk backwards; where a segment crossed an earlier one, jump over the loop they formed.
    // At most two points a step, a curve of at most 1 / kBezierStep + 2 points for every three
    // and one more to close: the outline is given its room at once rather than grown.
    const auto curves = static_cast<std::size_t>(2 * (m - k) / 3 + 2);
    out.reserve(curves * static_cast<std::size_t>(1.0 / kBezierStep + 2.0));
    SegmentBuffer buffer(out);
    for (std::int32_t j = m - 2; j >= k + 1; --j) {
        buffer.Add(At(pts, j + 1));
        const std::int32_t crossed = link[static_cast<std::size_t>(j)];
        if (crossed != kNoCrossing) j = crossed - 1;
        buffer.Add(At(pts, j));
    }
    buffer.Finish();

    // Close from the first kept point round to where the walk began.
    buffer.Emit({At(pts, k + 1), At(pts, k), At(pts, m), At(pts, m - 1)});
    return out;
}

}  // namespace orvane

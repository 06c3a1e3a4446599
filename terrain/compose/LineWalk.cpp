#include "terrain/compose/LineWalk.h"

#include <cstdlib>

#include "core/Numeric.h"

namespace orvane {

LineWalk::LineWalk(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
    : x_(x0),
      y_(y0),
      x1_(x1),
      y1_(y1),
      dx_(std::abs(CheckedSub(x1, x0))),
      dy_(std::abs(CheckedSub(y1, y0))),
      sx_(x0 < x1 ? 1 : -1),
      sy_(y0 < y1 ? 1 : -1),
      err_(static_cast<std::int64_t>(dx_) - dy_) {}

void LineWalk::Step() {
    // Both tests look at the same doubled error, so a diagonal step moves x and y together.
    const std::int64_t e2 = 2 * err_;
    if (e2 > -dy_) {
        err_ -= dy_;
        x_ += sx_;
    }
    if (e2 < dx_) {
        err_ += dx_;
        y_ += sy_;
    }
}

LinePoint FirstEmptyOnLine(const Canvas& canvas, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                           std::int32_t y1) {
    const LinePoint start{x0, y0};
    for (LineWalk walk(x0, y0, x1, y1); !walk.AtEnd(); walk.Step()) {
        if (canvas.GetPixel(walk.X(), walk.Y()) == 0) return {walk.X(), walk.Y()};
    }
    return start;
}

bool IsLineEmpty(const Canvas& canvas, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                 std::int32_t y1) {
    for (LineWalk walk(x0, y0, x1, y1); !walk.AtEnd(); walk.Step()) {
        if (canvas.GetPixel(walk.X(), walk.Y()) != 0) return false;
    }
    return true;
}

void AddJaggedLine(Canvas& canvas, Random& rng, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                   std::int32_t y1) {
    const std::int32_t t = rng.RndInt(4) + 1;
    const double p = (rng.RndInt(30) + 5) / 100.0;
    for (LineWalk walk(x0, y0, x1, y1); !walk.AtEnd(); walk.Step()) {
        if (!rng.Chance(p)) continue;
        const std::int32_t u = rng.RndInt(2 * t);
        const std::int32_t v = rng.RndInt(2 * t);
        canvas.AddPolyPoint(walk.X() + t - u, walk.Y() + t - v);
    }
}

}  // namespace orvane

#pragma once
// Integer line walks used to join pieces: one Bresenham stepper shared by the three walkers,
// so that they all visit exactly the same pixels. The start point is visited, the end is not.
#include <cstdint>

#include "canvas/Canvas.h"
#include "core/Random.h"

namespace orvane {

struct LinePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const LinePoint&) const = default;
};

class LineWalk {
  public:
    LineWalk(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);

    bool AtEnd() const { return x_ == x1_ && y_ == y1_; }
    std::int32_t X() const { return x_; }
    std::int32_t Y() const { return y_; }
    void Step();

  private:
    std::int32_t x_, y_, x1_, y1_;
    std::int32_t dx_, dy_, sx_, sy_;
    std::int64_t err_;
};

// The first empty pixel on the way from (x0, y0) towards (x1, y1), or the start itself when
// the walk meets none.
LinePoint FirstEmptyOnLine(const Canvas& canvas, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                           std::int32_t y1);

// True when every visited pixel is empty (a start equal to the end visits nothing).
bool IsLineEmpty(const Canvas& canvas, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                 std::int32_t y1);

// Appends randomly jittered vertices along the walk to the pending polygon (never the end).
void AddJaggedLine(Canvas& canvas, Random& rng, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                   std::int32_t y1);

}  // namespace orvane

#pragma once
// The two pixel tests every decoration passes before it draws: is there land under its feet,
// and is its box still empty. Both sample a grid rather than read every pixel, so a thin
// stroke lying between samples is not seen.
#include <cstdint>

#include "canvas/Canvas.h"

namespace orvane {

// True when every sampled pixel of the box x..x+w, y..y+h is empty: an 8 x 8 grid at the
// fractions 0.1 .. 0.8 (rows only to 0.7 with openBottom) plus the corners (top ones only
// with openBottom).
bool IsAreaFree(const Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t w,
                std::int32_t h, bool openBottom);

// True when every sampled pixel of row y + h + 1 under the box is land: its two ends, and
// with cornersOnly false also eight points across.
bool IsGroundBelow(const Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t w,
                   std::int32_t h, bool cornersOnly);

}  // namespace orvane

#pragma once
// Cubic Bezier sampling for the piece outlines. Stateless.
#include <array>
#include <cstdint>
#include <span>

#include "map/TerrainPiece.h"

namespace orvane {

// Samples the cubic curve through the four control points (only X and Y are used) at
// t = 0, step, 2 step, ... while t <= 1, then ends on P3 exactly. A last sample whose X is 0
// is dropped before P3 is added. With step 0.112 this gives 10 points, the first equal to P0.
// The result is 0-based and its points carry Quadrant 0.
Outline BezierPoints(const std::array<ShapePoint, 4>& controls, double step);

// Resizes dest to count + src.size(), copies src to positions count onward with the given
// quadrant and returns the new count.
std::int32_t AppendPoints(Outline& dest, std::int32_t count, std::span<const ShapePoint> src,
                          std::uint8_t quadrant);

}  // namespace orvane

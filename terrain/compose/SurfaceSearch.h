#pragma once
// Finding the ground in a column of a piece, and the two measures used to decide whether two
// pieces are close and level enough to be joined.
#include <cstdint>
#include <optional>

#include "canvas/Canvas.h"
#include "core/Random.h"
#include "map/TerrainPiece.h"
#include "terrain/compose/LineWalk.h"

namespace orvane {

// Scans column x of the piece's box widened by margin (within the canvas), one sample every
// 5 rows, for passages from empty into land. The first is always a surface; later ones need
// at least minGap rows of empty samples above them. Gives a random surface's empty row just
// above the land (one draw), or nothing (and draws nothing) when the column has no surface.
std::optional<std::int32_t> FindSurface(const Canvas& canvas, Random& rng, std::int32_t x,
                                        const TerrainPiece& piece, std::int32_t margin,
                                        std::int32_t minGap);

// A random point of the piece's box widened by `margin` on every side (x drawn first).
LinePoint RandomPointAround(Random& rng, const TerrainPiece& piece, std::int32_t margin);

// Euclidean distance rounded half to even.
std::int32_t PointDistance(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);

// Steepness of the line in degrees, 0 (level) to 90 (vertical, also for x1 = x2).
double SlopeAngle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);

}  // namespace orvane

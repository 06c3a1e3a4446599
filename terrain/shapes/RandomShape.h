#pragma once
// Random closed outlines: a wobbly ellipse cleaned of self-crossings and smoothed with cubic
// Bezier segments. Stateless apart from the generator it draws from.
#include <cstdint>
#include <optional>
#include <span>

#include "core/Random.h"
#include "core/Rect.h"
#include "map/TerrainPiece.h"

namespace orvane {

// The first j in first..last, j != skip, whose segment points[j - 1]..points[j] crosses A-B in
// the interiors of both: crossings within the first or last 1% of either segment (so shared end
// points too) and parallel segments do not count.
// Indices are the caller's own numbering of `points`, so first must be >= 1.
std::optional<std::int32_t> FindCrossing(const ShapePoint& a, const ShapePoint& b,
                                         std::int32_t skip, std::int32_t first, std::int32_t last,
                                         std::span<const ShapePoint> points);

// A closed outline filling most of box. minX and minY are lower limits of the radius factors
// (0 draws a random limit below 0.7); n is the number of raw points (0 draws 80..160).
// The outline is 0-based, runs clockwise on screen and its last point repeats the first.
Outline RandomShape(Random& rng, const Rect& box, float minX, float minY, std::int32_t n);

}  // namespace orvane

#pragma once
// Cut patterns of empty space through the finished picture, each with chance p.
#include "canvas/IndexedPicture.h"
#include "core/Random.h"
#include "map/MapState.h"

namespace orvane {

void DrawPatterns(MapState& map, Random& rng, float p);
void DrawPatterns(IndexedPicture& picture, MapStats& stats, Random& rng, float p);

}  // namespace orvane

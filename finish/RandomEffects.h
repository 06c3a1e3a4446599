#pragma once
// Passes some maps through the canvas's picture effects, each block with chance p.
#include "core/Random.h"
#include "map/MapState.h"

namespace orvane {

void ApplyRandomEffects(MapState& map, Random& rng, float p, bool effectsFlag);

}  // namespace orvane

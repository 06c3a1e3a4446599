#pragma once
// Passes some maps through the canvas's picture effects, each block with chance p.
#include "core/MapState.h"
#include "core/Random.h"

namespace orvane {

void ApplyRandomEffects(MapState& map, Random& rng, float p, bool effectsFlag);

}  // namespace orvane

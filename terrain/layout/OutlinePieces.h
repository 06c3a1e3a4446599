#pragma once
// The second terrain stage: a random closed outline for every present piece.
#include "core/Random.h"
#include "map/MapState.h"

namespace orvane {

void OutlinePieces(MapState& map, Random& rng);

}  // namespace orvane

#pragma once
// Thin land bridges between floating pieces that lie close and roughly side by side.
#include <cstdint>

#include "core/Random.h"
#include "map/MapState.h"

namespace orvane {

// Tries to join ordinary piece z to every other present ordinary piece. Reads map.pieces.Records
// directly and raises the LinkCount of each partner it joins.
void LinkPieces(MapState& map, Random& rng, std::int32_t z);

}  // namespace orvane

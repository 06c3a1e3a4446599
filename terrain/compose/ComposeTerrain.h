#pragma once
// The last terrain stage: textures and holes on every piece, land links, surface features
// and, in walk-for-weapons mode, reserved weapon cells.
#include "core/MapState.h"
#include "core/Random.h"

namespace orvane {

void ComposeTerrain(MapState& map, Random& rng);

}  // namespace orvane

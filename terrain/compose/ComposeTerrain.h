#pragma once
// The last terrain stage: textures and holes on every piece, land links, surface features
// and, in walk-for-weapons mode, reserved weapon cells.
#include "core/Random.h"
#include "map/MapState.h"
#include "terrain/decor/Decorations.h"

namespace orvane {

void ComposeTerrain(MapState& map, Random& rng);
// The same with another set of decoration drawers.
void ComposeTerrain(MapState& map, Random& rng, const DecorationDrawers& drawers);

}  // namespace orvane

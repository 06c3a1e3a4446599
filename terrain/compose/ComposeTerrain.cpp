// PLACEHOLDER until the composition stage lands: composes nothing.
#include "terrain/compose/ComposeTerrain.h"

namespace orvane {

void ComposeTerrain(MapState&, Random&) {}

}  // namespace orvane

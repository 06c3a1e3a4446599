// PLACEHOLDER until the terrain stages land: draws nothing.
#include "terrain/layout/GenerateTerrain.h"

namespace orvane {

void GenerateTerrain(MapState&, Random&, MapLog&) {}

}  // namespace orvane

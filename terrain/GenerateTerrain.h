#pragma once
// Turns the map's empty canvas into land: layout parameters, colour tables and the four timed
// stages (placement, outlines, painting, composition), each logged as "p1: " .. "p4: ".
#include "core/Random.h"
#include "map/MapLog.h"
#include "map/MapState.h"

namespace orvane {

void GenerateTerrain(MapState& map, Random& rng, MapLog& log);

}  // namespace orvane

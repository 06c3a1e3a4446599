#pragma once
// Turns the map's empty canvas into land: layout parameters, colour tables and the four timed
// stages (placement, outlines, painting, composition), each logged as "p1: " .. "p4: ".
// With `twoThreads`, a second thread shares the painting (the map is the same).
#include "core/Random.h"
#include "map/MapLog.h"
#include "map/MapState.h"

namespace orvane {

void GenerateTerrain(MapState& map, Random& rng, MapLog& log, bool twoThreads = false);

}  // namespace orvane

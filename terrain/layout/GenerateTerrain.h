#pragma once
// Turns the map's empty canvas into land: layout parameters, colour tables and the four timed
// stages (placement, outlines, painting, composition), each logged as "p1: " .. "p4: ".
#include "core/MapLog.h"
#include "core/MapState.h"
#include "core/Random.h"

namespace orvane {

void GenerateTerrain(MapState& map, Random& rng, MapLog& log);

}  // namespace orvane

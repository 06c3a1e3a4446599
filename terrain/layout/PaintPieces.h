#pragma once
// The third terrain stage: paints every present piece as a stack of shrinking, lighter rims
// under a filled body, sets its Shades, and paints the sun or moon and the stars.
// A failing step is skipped and reported through log.Diagnostic at the end of its pass.
#include "core/Random.h"
#include "map/MapLog.h"
#include "map/MapState.h"

namespace orvane {

void PaintPieces(MapState& map, Random& rng, MapLog& log);

}  // namespace orvane

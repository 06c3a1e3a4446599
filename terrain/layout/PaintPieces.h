#pragma once
// The third terrain stage: paints every present piece as a stack of shrinking, lighter rims
// under a filled body, sets its Shades, and paints the sun or moon and the stars.
// A failing step is skipped and reported through log.Diagnostic at the end of its pass.
// With `twoThreads`, a second thread shares the painting of the pieces (the picture is the
// same).
#include "core/Random.h"
#include "map/MapLog.h"
#include "map/MapState.h"

namespace orvane {

void PaintPieces(MapState& map, Random& rng, MapLog& log, bool twoThreads = false);

}  // namespace orvane

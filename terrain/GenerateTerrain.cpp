#include "terrain/GenerateTerrain.h"

#include <string>

#include "terrain/compose/ComposeTerrain.h"
#include "terrain/layout/LayoutParameters.h"
#include "terrain/layout/OutlinePieces.h"
#include "terrain/layout/PaintPieces.h"
#include "terrain/layout/PlacePieces.h"

namespace orvane {

namespace {

// Each figure runs from the previous tick reading, so it includes writing the previous line.
void LogStage(MapState& map, MapLog& log, int stage, long long& since) {
    const long long now = TickCount();
    const long long ms = now - since;
    since = now;
    map.stats.terrainMs[static_cast<std::size_t>(stage - 1)] = ms;
    std::string line = "p";
    line += std::to_string(stage);
    line += ": ";
    line += std::to_string(ms);
    line += "\r\n";
    log.Append(line);
}

}  // namespace

void GenerateTerrain(MapState& map, Random& rng, MapLog& log) {
    DrawLayoutParameters(map, rng);
    FillColourTables(map.colours, rng);

    long long since = TickCount();
    PlacePieces(map, rng);
    LogStage(map, log, 1, since);
    OutlinePieces(map, rng);
    LogStage(map, log, 2, since);
    PaintPieces(map, rng, log);
    LogStage(map, log, 3, since);
    ComposeTerrain(map, rng);
    LogStage(map, log, 4, since);
}

}  // namespace orvane

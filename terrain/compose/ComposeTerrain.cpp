#include "terrain/compose/ComposeTerrain.h"

#include "terrain/compose/FeatureSweeps.h"
#include "terrain/compose/LandLinks.h"
#include "terrain/compose/TextureBlobs.h"

namespace orvane {

void ComposeTerrain(MapState& map, Random& rng) {
    ComposeTerrain(map, rng, DecorationDrawers{});
}

void ComposeTerrain(MapState& map, Random& rng, const DecorationDrawers& drawers) {
    // Lingers across blobs and pieces: a hole run started on one piece may carry into the next.
    bool holeMode = false;
    const std::int32_t count = map.pieces.Count();

    // First link series: each piece tries its partners just before it is textured, so later
    // pieces are still bare when they are searched for land.
    for (std::int32_t z = 1; z <= count; ++z) {
        if (z == map.pieces.MoonIndex()) continue;
        LinkPieces(map, rng, z);
        // Composition only reads the piece (links change other pieces' counts), so it is used
        // in place rather than copied and stored back.
        const TerrainPiece& piece = map.pieces[z];
        if (piece.Hidden) continue;
        DrawTextureBlobs(map, rng, piece, holeMode);
        SweepFeatures(map, rng, z, piece, drawers);
    }

    // Second series, over the finished land.
    for (std::int32_t z = 1; z <= count; ++z) LinkPieces(map, rng, z);
}

}  // namespace orvane

#pragma once
// Texture blobs: short random walks over a piece's body, each closed into a polygon drawn in
// the piece's shades, or cut out as a hole.
#include <cstdint>

#include "core/Random.h"
#include "map/MapState.h"

namespace orvane {

// Scatters the piece's blobs. holeMode carries over from blob to blob and from piece to piece
// for the whole composition pass: a large walk step switches it on for ordinary pieces.
void DrawTextureBlobs(MapState& map, Random& rng, const TerrainPiece& piece, bool& holeMode);

}  // namespace orvane

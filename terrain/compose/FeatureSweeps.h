#pragma once
// Surface features of one piece: column sweeps that find surfaces and stand decorations (and,
// in walk-for-weapons mode, weapon cells) on them.
#include <cstdint>

#include "core/Random.h"
#include "map/MapState.h"
#include "terrain/decor/Decorations.h"

namespace orvane {

// Draws the piece's two densities, then runs the six sweeps over the columns of its box
// widened by PieceMargin. z is the piece's index, recorded with its weapon spots.
void SweepFeatures(MapState& map, Random& rng, std::int32_t z, const TerrainPiece& piece,
                   const DecorationDrawers& drawers);

}  // namespace orvane

#pragma once
// Weapon cells reserved while the terrain is composed: a framed, filled square set into a
// surface, recorded so that the run can draw a weapon picture into it after the effects.
#include <cstdint>

#include "core/Random.h"
#include "map/MapState.h"

namespace orvane {

// (x, y) is the empty pixel above a surface of piece number pieceIndex. Returns the columns
// the sweep skips, or 0 when the cell is rejected (nothing drawn or recorded, no draw made).
std::int32_t ReserveWeaponSpot(MapState& map, Random& rng, std::int32_t x, std::int32_t y,
                               std::int32_t pieceIndex, const TerrainPiece& piece);

}  // namespace orvane

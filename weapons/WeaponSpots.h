#pragma once
// Framed weapon cells set into the land surfaces: reserved (frame drawn) while the terrain is
// composed, filled with weapon pictures after the finishing effects.
#include <cstdint>

#include "core/Random.h"
#include "map/MapState.h"
#include "weapons/WeaponChoice.h"

namespace orvane {

// Reserve mode (reserve = true, chooser may be null): (x, y) is the empty pixel above a
// surface; advance becomes 0 when the spot is rejected, else the columns to skip.
// Picture mode: (x, y) is a recorded cell's top-left corner; draws the chosen picture.
void PlaceWeaponSpot(MapState& map, Random& rng, WeaponChooser* chooser, std::int32_t x,
                     std::int32_t y, std::int32_t pieceIndex, const TerrainPiece& piece,
                     bool reserve, std::int32_t& advance);

// First recorded spot (1-based) whose cell intersects `box` shrunk by 2 on every side, or -1.
std::int32_t FindSpotOverlap(const MapState& map, const Rect& box);

// Fills every recorded cell clear of the label with a chosen weapon picture.
void DrawWeaponSpots(MapState& map, Random& rng, WeaponChooser& chooser);

}  // namespace orvane

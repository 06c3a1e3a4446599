#pragma once
// Weapon pictures drawn into the cells the terrain reserved, after the finishing effects.
#include <cstdint>

#include "core/Random.h"
#include "map/MapState.h"
#include "weapons/WeaponChoice.h"

namespace orvane {

// Draws the next chosen weapon's picture with its top-left corner at (x, y), the corner of a
// reserved cell. Returns the columns the cell and its frame take.
std::int32_t DrawWeaponPicture(MapState& map, Random& rng, WeaponChooser& chooser, std::int32_t x,
                               std::int32_t y);

// Sets up the weapon quotas for the map's cells, then fills every cell clear of the label.
void DrawWeaponSpots(MapState& map, Random& rng, WeaponChooser& chooser);

}  // namespace orvane

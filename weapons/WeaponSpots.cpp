// PLACEHOLDER until the walk-for-weapons stage lands.
#include "weapons/WeaponSpots.h"

namespace orvane {

void PlaceWeaponSpot(MapState&, Random&, WeaponChooser*, std::int32_t, std::int32_t, std::int32_t,
                     const TerrainPiece&, bool, std::int32_t& advance) {
    advance = 0;
}
std::int32_t FindSpotOverlap(const MapState&, const Rect&) { return -1; }
void DrawWeaponSpots(MapState&, Random&, WeaponChooser&) {}

}  // namespace orvane

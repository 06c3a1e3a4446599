#pragma once
// The sky body of the moon record: a sun with rays, a crescent moon or nothing, and stars.
#include <cstdint>

#include "core/Random.h"
#include "map/MapState.h"
#include "terrain/layout/PaintTrap.h"

namespace orvane {

// Values kept across the whole painting stage; they appear in its diagnostics.
struct SkyState {
    std::int32_t mx = 0;  // crescent offset
    std::int32_t my = 0;
    std::int32_t rr = 0;   // crescent radius extra
    std::int32_t sx0 = 0;  // star band start
    std::int32_t sw = 0;   // star band width
};

// Where the body sits: the centre and half sizes of the moon's box, and its base colour.
struct SkyBodyFrame {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    std::int32_t hw = 0;
    std::int32_t hh = 0;
    Colour base = 0;
};

// Drawn in the moon's last shade pass, with the pen as that pass left it.
void PaintSkyBody(MapState& map, Random& rng, const TerrainPiece& moon, const SkyBodyFrame& frame,
                  SkyState& sky, PaintTrap& trap);

}  // namespace orvane

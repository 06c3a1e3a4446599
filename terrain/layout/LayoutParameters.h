#pragma once
// The per-map layout parameters (margin, piece sizes, piece count) and the seven colour
// tables, drawn in a fixed order before any piece is placed.
#include "core/Random.h"
#include "map/MapState.h"

namespace orvane {

// Width over height of every drawing (the height is CLng(width / kMapAspect)).
inline constexpr double kMapAspect = 1.766666666666664;

// The weapon cell side before rounding: cells shrink as the enlargement grows, so pictures
// end up about 30 pixels wide on the finished map.
inline double IconSpan(std::int32_t scaleTenths) {
    return 30.0 / (scaleTenths / 10.0 - 0.3);
}

// The first draws of every map: ScaleTenths, then (in walk-for-weapons mode, without a draw)
// WeaponIconSize, then the drawing width; the height keeps the fixed aspect ratio. The caller
// creates the black canvas of that size (a run first makes room for it).
void DrawMapSize(MapState& map, Random& rng);

// Reads MapWidth, MapHeight and the canvas size; writes PieceMargin, the piece size values
// and PieceCount (always >= 2).
void DrawLayoutParameters(MapState& map, Random& rng);

// Refills the decoration colour tables, drawing the four that no stage reads along with them.
void FillColourTables(ColourTables& tables, Random& rng);

}  // namespace orvane

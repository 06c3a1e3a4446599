#pragma once
// Small synthetic maps for the composition and decoration tests: a canvas, pieces with plain
// shades and hand-painted land.
#include <cstdint>

#include "map/MapState.h"

namespace orvane::test {

inline constexpr Colour kLand = RGB(120, 120, 120);

inline MapState MakeMap(std::int32_t width, std::int32_t height, std::int32_t margin = 0) {
    MapState map;
    map.canvas.CreateImage(width, height);
    map.MapWidth = width;
    map.MapHeight = height;
    map.PieceMargin = margin;
    map.ScaleTenths = 20;
    for (int i = 0; i < 8; ++i) {
        map.GreenTable1[static_cast<std::size_t>(i)] = RGB(10, 100 + i, 10);
        map.GreenTable2[static_cast<std::size_t>(i)] = RGB(10, 140 + i, 10);
        map.VividTable[static_cast<std::size_t>(i)] = RGB(255, 20 * i, 0);
    }
    return map;
}

inline TerrainPiece MakePiece(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                              int shades = 3, std::int32_t kind = 1) {
    TerrainPiece p;
    p.X = x;
    p.Y = y;
    p.Width = w;
    p.Height = h;
    p.Bounds = {x, y, x + w, y + h};
    p.Red = p.Green = p.Blue = 120;
    for (int i = 1; i <= shades; ++i) p.Shades.push_back(RGB(60 + 20 * i, 50, 30));
    p.ShadeCount = static_cast<std::uint8_t>(shades);
    p.ColourKind = kind;
    return p;
}

// Fills x0..x1, y0..y1 (inclusive) with a colour.
inline void Fill(Canvas& c, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                 Colour colour = kLand) {
    for (std::int32_t y = y0; y <= y1; ++y)
        for (std::int32_t x = x0; x <= x1; ++x) c.SetPixel(x, y, colour);
}

// Pieces[0] unused, then the given records; the last two become moon and floor.
inline void SetPieces(MapState& map, std::vector<TerrainPiece> pieces) {
    map.Pieces.assign(1, TerrainPiece{});
    for (auto& p : pieces) map.Pieces.push_back(std::move(p));
    map.PieceCount = static_cast<std::int32_t>(map.Pieces.size()) - 1;
    map.FloorIndex = map.PieceCount;
    map.MoonIndex = map.PieceCount - 1;
}

}  // namespace orvane::test

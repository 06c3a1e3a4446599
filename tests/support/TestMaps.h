#pragma once
// Hand-made maps for tests: a black canvas of a given size with its map fields in agreement,
// pieces with a box and plain shades, and painted land.
#include <cstdint>
#include <vector>

#include "map/MapState.h"

namespace orvane::test {

inline constexpr Colour kLand = RGB(120, 120, 120);

// A black map of the given size, scale 2.0, with recognisable decoration tables.
inline MapState MakeMap(std::int32_t width, std::int32_t height, std::int32_t margin = 0) {
    MapState map;
    map.canvas.CreateImage(width, height, 0);
    map.MapWidth = width;
    map.MapHeight = height;
    map.layout.PieceMargin = margin;
    map.ScaleTenths = 20;
    for (int i = 0; i < 8; ++i) {
        map.colours.GreenTable1[static_cast<std::size_t>(i)] = RGB(10, 100 + i, 10);
        map.colours.GreenTable2[static_cast<std::size_t>(i)] = RGB(10, 140 + i, 10);
        map.colours.VividTable[static_cast<std::size_t>(i)] = RGB(255, 20 * i, 0);
    }
    return map;
}

// A visible piece with the given box, base colour 120 grey and `shades` plain shades.
inline TerrainPiece MakePiece(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                              int shades = 3, LandKind kind = LandKind::Grey) {
    TerrainPiece p;
    p.X = x;
    p.Y = y;
    p.Width = w;
    p.Height = h;
    p.Red = p.Green = p.Blue = 120;
    for (int i = 1; i <= shades; ++i) p.Shades.push_back(RGB(60 + 20 * i, 50, 30));
    p.Land = kind;
    return p;
}

// Record 0 unused, then the given records; the last two are the sky body and the floor.
inline void SetPieces(MapState& map, std::vector<TerrainPiece> pieces) {
    map.pieces.Records.assign(1, TerrainPiece{});
    for (auto& p : pieces) map.pieces.Records.push_back(std::move(p));
    map.layout.PieceCount = map.pieces.Count();
}

// A walk-for-weapons map 400 x 300 with one plain piece (box X 100..300, Y 50..150) and the
// label box in the far corner.
inline MapState WeaponMap(std::int32_t iconSize) {
    MapState map = MakeMap(400, 300);
    map.WalkForWeapons = true;
    map.layout.WeaponIconSize = iconSize;
    TerrainPiece piece = MakePiece(100, 50, 200, 100, 0);
    piece.Red = 90;
    piece.Green = 120;
    piece.Blue = 60;
    piece.Shades = {RGB(40, 60, 30), RGB(60, 80, 40), RGB(120, 150, 90)};
    SetPieces(map, {piece});
    // Far away: no cell touches it unless a test moves it.
    map.LabelBox = Rect{390, 290, 400, 300};
    return map;
}

// Fills x0..x1, y0..y1 (inclusive) with a colour.
inline void Fill(Canvas& c, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                 Colour colour = kLand) {
    for (std::int32_t y = y0; y <= y1; ++y)
        for (std::int32_t x = x0; x <= x1; ++x) c.SetPixel(x, y, colour);
}

}  // namespace orvane::test

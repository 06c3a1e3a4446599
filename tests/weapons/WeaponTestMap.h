#pragma once
// A small black walk-for-weapons map with one plain piece (box X 100..300, Y 50..150).
#include "tests/support/TestMaps.h"

namespace orvane::test {

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

}  // namespace orvane::test

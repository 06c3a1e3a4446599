#pragma once
// A small black map with one plain piece (box X 100..300, Y 50..150) for the weapon tests.
#include "map/MapState.h"

namespace orvane::test {

inline MapState WeaponMap(std::int32_t iconSize) {
    MapState map;
    map.MapWidth = 400;
    map.MapHeight = 300;
    map.canvas.CreateImage(map.MapWidth, map.MapHeight, 0);
    map.WalkForWeapons = true;
    map.WeaponIconSize = iconSize;
    map.PieceCount = 1;
    map.Pieces.resize(2);
    TerrainPiece& piece = map.Pieces[1];
    piece.X = 100;
    piece.Y = 50;
    piece.Width = 200;
    piece.Height = 100;
    piece.Red = 90;
    piece.Green = 120;
    piece.Blue = 60;
    piece.Shades = {RGB(40, 60, 30), RGB(60, 80, 40), RGB(120, 150, 90)};
    piece.ShadeCount = 3;
    // Far away: no cell touches it unless a test moves it.
    map.LabelBox = Rect{390, 290, 400, 300};
    return map;
}

}  // namespace orvane::test

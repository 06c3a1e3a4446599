#pragma once
// Everything that belongs to one map, from the first draw to the saved file. It dies with the
// map; what outlives a map (the generator, the weapon chooser) belongs to the run driver.
#include <cstdint>
#include <vector>

#include "canvas/Canvas.h"
#include "core/Colour.h"
#include "core/Rect.h"
#include "map/ColourTable.h"
#include "map/MapStats.h"
#include "map/TerrainPiece.h"
#include "map/WeaponSpot.h"

namespace orvane {

struct MapState {
    Canvas canvas;

    // Set by the run.
    std::int32_t MapWidth = 0;
    std::int32_t MapHeight = 0;
    std::int32_t ScaleTenths = 0;
    bool WalkForWeapons = false;  // the "Walk for weapons mode" check box

    // Layout parameters.
    std::int32_t PieceMargin = 0;
    std::int32_t PieceMinWidth = 0;
    std::int32_t PieceWidthRange = 0;
    std::int32_t PieceMinHeight = 0;
    std::int32_t PieceHeightRange = 0;
    std::int32_t PieceCount = 0;

    ColourTable GreenTable1{};
    ColourTable GreyTable1{};
    ColourTable PaleTable{};
    ColourTable GreenTable2{};
    ColourTable DarkGreyTable{};
    ColourTable GreyTable2{};
    ColourTable VividTable{};

    // Pieces[0] is unused so that piece numbers 1..PieceCount index the vector directly.
    std::vector<TerrainPiece> Pieces;
    std::int32_t FloorIndex = 0;  // = PieceCount
    std::int32_t MoonIndex = 0;   // = PieceCount - 1

    Rect LabelBox;

    std::vector<WeaponSpot> WeaponSpots;  // reserved cells, in order
    std::int32_t WeaponIconSize = 0;

    MapStats stats;

    TerrainPiece& Piece(std::int32_t i) {
        if (i < 1 || i >= static_cast<std::int32_t>(Pieces.size()))
            throw RunError("Piece index out of range");
        return Pieces[static_cast<std::size_t>(i)];
    }
    const TerrainPiece& Piece(std::int32_t i) const {
        return const_cast<MapState*>(this)->Piece(i);
    }
};

}  // namespace orvane

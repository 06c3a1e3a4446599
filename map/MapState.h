#pragma once
// Everything that belongs to one map, from the first draw to the saved file, in named parts so
// that a stage can take only the parts it uses. It dies with the map; what outlives a map (the
// generator, the weapon chooser) belongs to the run driver.
#include <cstdint>
#include <vector>

#include "canvas/Canvas.h"
#include "core/Rect.h"
#include "map/ColourTable.h"
#include "map/MapStats.h"
#include "map/TerrainPiece.h"
#include "map/WeaponSpot.h"

namespace orvane {

// Drawn once per map before any piece is placed.
struct LayoutParameters {
    std::int32_t PieceMargin = 0;
    std::int32_t PieceMinWidth = 0;
    std::int32_t PieceWidthRange = 0;
    std::int32_t PieceMinHeight = 0;
    std::int32_t PieceHeightRange = 0;
    std::int32_t PieceCount = 0;
    std::int32_t WeaponIconSize = 0;  // side of a weapon cell (walk-for-weapons maps only)
};

// The piece records. Record 0 is unused so that piece numbers 1..Count() index directly; the
// last record is the floor band and the one before it the sky body.
struct PieceSet {
    std::vector<TerrainPiece> Records;

    std::int32_t Count() const {
        return Records.empty() ? 0 : static_cast<std::int32_t>(Records.size()) - 1;
    }
    std::int32_t FloorIndex() const { return Count(); }
    std::int32_t MoonIndex() const { return Count() - 1; }

    TerrainPiece& operator[](std::int32_t i) {
        if (i < 1 || i > Count()) throw RunError("Piece index out of range");
        return Records[static_cast<std::size_t>(i)];
    }
    const TerrainPiece& operator[](std::int32_t i) const { return const_cast<PieceSet&>(*this)[i]; }
};

// The colour tables the decorations read. Four more are drawn with them, only to keep the
// draws of every map in step.
struct ColourTables {
    ColourTable GreenTable1{};  // grass blades, flower stems
    ColourTable GreenTable2{};  // tree crowns
    ColourTable VividTable{};   // flower heads
};

struct MapState {
    Canvas canvas;

    // Set by the run.
    std::int32_t MapWidth = 0;
    std::int32_t MapHeight = 0;
    std::int32_t ScaleTenths = 0;
    bool WalkForWeapons = false;  // the "Walk for weapons mode" check box

    LayoutParameters layout;
    PieceSet pieces;
    ColourTables colours;
    std::vector<WeaponSpot> WeaponSpots;  // reserved cells, in order
    Rect LabelBox;

    MapStats stats;
};

}  // namespace orvane

// Weapon cells reserved on the surfaces: where a cell may go, its frame, and how close
// two cells may come.
#include <gtest/gtest.h>

#include "terrain/compose/WeaponCells.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/TestMaps.h"

namespace orvane {
namespace {

using test::ScriptedRandom;

struct Attempt {
    std::int32_t x;
    std::int32_t y;
    bool accepted;
};

TEST(WeaponCells, OnlyTheCellCornerHasToLieInThePieceBox) {
    // Piece box: X 100..300, Y 50..150; the cell's top is y + 2.
    const Attempt attempts[] = {
        {300, 100, true}, {301, 100, false},  // right edge, one further
        {100, 100, true}, {99, 100, false},   // left edge
        {200, 148, true}, {200, 149, false},  // top of the cell on the bottom edge
        {200, 48, true},  {200, 47, false},   // top of the cell on the top edge
    };
    for (const Attempt& a : attempts) {
        MapState map = test::WeaponMap(20);
        ScriptedRandom rng({0.0f});
        const std::int32_t advance = ReserveWeaponSpot(map, rng, a.x, a.y, 1, map.pieces[1]);
        SCOPED_TRACE(testing::Message() << "x " << a.x << " y " << a.y);
        if (a.accepted) {
            ASSERT_EQ(map.WeaponSpots.size(), 1u);
            EXPECT_EQ(map.WeaponSpots[0].Box, (Rect{a.x, a.y + 2, a.x + 20, a.y + 22}));
            EXPECT_EQ(map.WeaponSpots[0].PieceIndex, 1);
            EXPECT_EQ(advance, 22);
            EXPECT_EQ(rng.Used(), 1u);
            EXPECT_EQ(map.stats.spotsReserved, 1);
        } else {
            // Rejected silently: nothing recorded, drawn or drawn from the generator.
            EXPECT_TRUE(map.WeaponSpots.empty());
            EXPECT_EQ(advance, 0);
            EXPECT_EQ(rng.Used(), 0u);
            EXPECT_EQ(map.canvas.GetPixel(a.x - 1, a.y + 1), 0u);
            EXPECT_EQ(map.stats.spotsReserved, 0);
        }
    }
}

TEST(WeaponCells, FrameSitsOnTheSurfaceRowAroundAFilledCell) {
    MapState map = test::WeaponMap(20);
    const TerrainPiece& piece = map.pieces[1];
    // RndInt(2) of 0.7 is 2: the third shade.
    ScriptedRandom rng({0.7f});
    map.canvas.SetPenWidth(3);  // reset to 1 by the call
    EXPECT_EQ(ReserveWeaponSpot(map, rng, 120, 80, 1, piece), 22);
    const Colour frame = piece.Shade(3);
    const Colour fill = piece.BaseColour();
    EXPECT_EQ(map.canvas.GetPenWidth(), 1);
    EXPECT_EQ(map.canvas.GetPixel(119, 81), frame);  // the surface row y + 1
    EXPECT_EQ(map.canvas.GetPixel(140, 102), frame);
    EXPECT_EQ(map.canvas.GetPixel(130, 81), frame);
    EXPECT_EQ(map.canvas.GetPixel(120, 82), fill);
    EXPECT_EQ(map.canvas.GetPixel(139, 101), fill);
    EXPECT_EQ(map.canvas.GetPixel(118, 81), 0u);
    EXPECT_EQ(map.canvas.GetPixel(119, 80), 0u);
    EXPECT_EQ(map.canvas.GetPixel(141, 103), 0u);
}

TEST(WeaponCells, NeighbouringCellsMayShareTwoPixels) {
    struct Case {
        std::int32_t x;
        std::int32_t y;
        bool accepted;
    };
    // The first cell covers x 120..139 and y 82..101.
    const Case cases[] = {
        {138, 80, true}, {137, 80, false},  // 2 and 3 columns shared
        {120, 98, true}, {120, 97, false},  // 2 and 3 rows shared
        {137, 98, true},                    // 3 columns but only 2 rows
        {102, 80, true}, {103, 80, false},  // from the left
        {120, 62, true}, {120, 63, false},  // from above
    };
    for (const Case& c : cases) {
        MapState map = test::WeaponMap(20);
        ScriptedRandom rng;
        ASSERT_EQ(ReserveWeaponSpot(map, rng, 120, 80, 1, map.pieces[1]), 22);
        const std::int32_t advance = ReserveWeaponSpot(map, rng, c.x, c.y, 1, map.pieces[1]);
        SCOPED_TRACE(testing::Message() << "x " << c.x << " y " << c.y);
        EXPECT_EQ(map.WeaponSpots.size(), c.accepted ? 2u : 1u);
        EXPECT_EQ(advance, c.accepted ? 22 : 0);
    }
}

TEST(WeaponCells, OverlapSearchReturnsTheFirstHitCountedFromOne) {
    MapState map = test::WeaponMap(20);
    EXPECT_EQ(FindSpotOverlap(map.WeaponSpots, Rect{0, 0, 400, 300}), std::nullopt);  // empty list
    map.WeaponSpots.push_back({Rect{10, 10, 30, 30}, 1});
    map.WeaponSpots.push_back({Rect{50, 10, 70, 30}, 1});
    map.WeaponSpots.push_back({Rect{60, 10, 80, 30}, 1});
    EXPECT_EQ(FindSpotOverlap(map.WeaponSpots, Rect{55, 15, 75, 35}), 2);
    EXPECT_EQ(FindSpotOverlap(map.WeaponSpots, Rect{75, 15, 95, 35}), 3);
    EXPECT_EQ(FindSpotOverlap(map.WeaponSpots, Rect{28, 28, 48, 48}),
              std::nullopt);  // shares 2 x 2 pixels
    EXPECT_EQ(FindSpotOverlap(map.WeaponSpots, Rect{27, 27, 47, 47}), 1);
}

}  // namespace
}  // namespace orvane

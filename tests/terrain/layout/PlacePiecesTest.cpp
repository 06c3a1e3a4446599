// Piece placement: colour conversion, overlap rule and the draws that keep seeds in step.
#include <gtest/gtest.h>

#include <cmath>

#include "core/Numeric.h"
#include "terrain/layout/PlacePieces.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/TestMaps.h"

namespace orvane {
namespace {

using test::ScriptedRandom;

MapState SmallMap(std::int32_t pieceCount, std::int32_t margin = 5, std::int32_t height = 600) {
    MapState map = test::MakeMap(1000, height);
    map.layout.PieceCount = pieceCount;
    map.layout.PieceMargin = margin;
    map.layout.PieceMinWidth = 40;
    map.layout.PieceWidthRange = 60;
    map.layout.PieceMinHeight = 30;
    map.layout.PieceHeightRange = 40;
    return map;
}

TEST(CmykToRgb, DocumentedBrowns) {
    std::int16_t r = 0, g = 0, b = 0;
    CmykToRgb(34, 56, 87, 0, r, g, b);
    EXPECT_EQ(r, 168);
    EXPECT_EQ(g, 112);
    EXPECT_EQ(b, 33);
    CmykToRgb(34, 56, 87, 45, r, g, b);
    EXPECT_EQ(r, 93);
    EXPECT_EQ(g, 62);
    EXPECT_EQ(b, 18);
}

TEST(FindOverlap, TouchingIsFreeAndEveryRecordCountsInOrder) {
    std::vector<TerrainPiece> pieces(4);
    pieces[1] = test::MakePiece(0, 0, 10, 10);
    pieces[3] = test::MakePiece(20, 0, 10, 10);  // record 2 not placed yet: an empty box
    EXPECT_EQ(FindOverlap(Rect{10, 0, 20, 10}, pieces, 0), std::nullopt);  // shares edges
    EXPECT_EQ(FindOverlap(Rect{0, 10, 10, 20}, pieces, 0), std::nullopt);
    EXPECT_EQ(FindOverlap(Rect{9, 9, 25, 12}, pieces, 0), 1);   // first of the two
    EXPECT_EQ(FindOverlap(Rect{10, 0, 20, 10}, pieces, 1), 1);  // the margin makes it touch
    pieces[1].Hidden = true;                                    // hidden pieces still block
    EXPECT_EQ(FindOverlap(Rect{5, 5, 6, 6}, pieces, 0), 1);
}

TEST(PlacePieces, FloorChanceIsDrawnEvenWhenTheFloorMustStay) {
    // First draw 0.05 would leave the floor out, but two records need it; the next draw
    // (0) still goes to the floor's width, 75% of the canvas.
    ScriptedRandom rng({0.05f, 0.0f});
    MapState two = SmallMap(2);
    PlacePieces(two, rng);
    EXPECT_EQ(two.pieces.MoonIndex(), 1);
    const TerrainPiece& floor = two.pieces[2];
    EXPECT_FALSE(floor.Hidden);
    EXPECT_EQ(floor.Width, 750);
    EXPECT_EQ(floor.X, 125);
    EXPECT_EQ(floor.Y + floor.Height, 600);

    ScriptedRandom rng3({0.05f, 0.0f});
    MapState three = SmallMap(3);
    PlacePieces(three, rng3);
    EXPECT_TRUE(three.pieces[3].Hidden);
    EXPECT_TRUE(three.pieces[3].Box().Empty());
}

TEST(PlacePieces, MoonColourDrawsDependOnItsKind) {
    // Floor: present, width, height, no hole, no alt fill, kind 2 and its red: 7 draws.
    // Moon: size, then the kind, then x and y; kind 0 draws no colour.
    const auto place = [](float kindDraw) {
        ScriptedRandom rng({0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, kindDraw});
        MapState map = SmallMap(2);
        PlacePieces(map, rng);
        return std::make_pair(map.pieces[1], rng.Used());
    };
    const auto [none, noneDraws] = place(0.1f);
    EXPECT_EQ(none.Body, SkyBody::None);
    EXPECT_EQ(noneDraws, 11u);
    EXPECT_EQ(none.BaseColour(), 0u);
    const auto [sun, sunDraws] = place(0.5f);
    EXPECT_EQ(sun.Body, SkyBody::Sun);
    EXPECT_EQ(sunDraws, 12u);
    EXPECT_EQ(sun.Blue, 10);
    EXPECT_EQ(sun.Red, sun.Green);
    const auto [moon, moonDraws] = place(0.9f);
    EXPECT_EQ(moon.Body, SkyBody::Moon);
    EXPECT_EQ(moonDraws, 12u);
    // The moon's top sits at least a quarter of its size below the top edge.
    EXPECT_GE(moon.Y, moon.Width / 4);
    EXPECT_EQ(moon.Height, moon.Width);
}

TEST(PlacePieces, WideMarginLeavesNoSkyBodyAndLowersTheBand) {
    // 1.5 * 41 > 600 * 0.1: no moon, so ordinary pieces may start at 5% of the height.
    Random rng;
    rng.Reset();
    rng.Seed(11);
    MapState map = SmallMap(12, 41);
    PlacePieces(map, rng);
    const TerrainPiece& moon = map.pieces[map.pieces.MoonIndex()];
    EXPECT_TRUE(moon.Hidden);
    EXPECT_TRUE(moon.Box().Empty());
    for (std::int32_t i = 1; i <= 10; ++i) {
        const TerrainPiece& p = map.pieces[i];
        if (!p.Hidden) {
            EXPECT_GE(p.Y, 30);
        }
    }
}

TEST(PlacePieces, PieceThatNeverFitsIsHiddenButKeepsBlocking) {
    // Taller than the band: every one of the 66 boxes fails.
    Random rng;
    rng.Reset();
    rng.Seed(3);
    MapState map = SmallMap(3);
    map.layout.PieceMinHeight = 700;
    PlacePieces(map, rng);
    const TerrainPiece& p = map.pieces[1];
    EXPECT_TRUE(p.Hidden);
    EXPECT_EQ(p.Box(), (Rect{p.X, p.Y, p.X + p.Width, p.Y + p.Height}));
    EXPECT_FALSE(p.Box().Empty());
    // Its box still widens the star band.
    const TerrainPiece& moon = map.pieces[2];
    EXPECT_LE(moon.ExtentLeft, p.X);
    EXPECT_GE(moon.ExtentRight, p.X + p.Width);
}

TEST(PlacePieces, LandColourTiesTakeTheGreyerKind) {
    // Floor draws: present, width, height, no hole, no alt fill, then its kind (grey up to
    // 0.4, green up to 0.7, else brown).
    const auto floorKind = [](float kindDraw) {
        ScriptedRandom rng({0.5f, 0.5f, 0.5f, 0.5f, 0.5f, kindDraw});
        MapState map = SmallMap(2);
        PlacePieces(map, rng);
        return map.pieces[2].Land;
    };
    EXPECT_EQ(floorKind(0.4f), LandKind::Grey);
    EXPECT_EQ(floorKind(std::nextafter(0.4f, 1.0f)), LandKind::Green);
    EXPECT_EQ(floorKind(0.7f), LandKind::Green);
    EXPECT_EQ(floorKind(std::nextafter(0.7f, 1.0f)), LandKind::Brown);
}

TEST(PlacePieces, ASkyBodyOfExactlyTheLeastSizeIsNotRedrawn) {
    // 5% of the shorter side is 16 on a map 320 high: with a size draw of 0 the body is 16
    // across and keeps it, and the next draw (0.9) goes to its kind, a moon.
    ScriptedRandom rng({0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 0.9f});
    MapState map = SmallMap(2, 5, 320);
    PlacePieces(map, rng);
    const TerrainPiece& moon = map.pieces[1];
    EXPECT_EQ(moon.Width, 16);
    EXPECT_EQ(moon.Body, SkyBody::Moon);
}

TEST(PlacePieces, APieceAsTallAsItsBandFitsAtTheBandsTop) {
    // With a sky body and a floor the band runs from 15% to 90% of the height: rows 90..540.
    ScriptedRandom rng;
    MapState map = SmallMap(3);
    map.layout.PieceMinHeight = 450;
    map.layout.PieceHeightRange = 0;
    PlacePieces(map, rng);
    const TerrainPiece& p = map.pieces[1];
    EXPECT_FALSE(p.Hidden);
    EXPECT_EQ(p.Y, 90);
    EXPECT_EQ(p.Y + p.Height, 540);
}

}  // namespace
}  // namespace orvane

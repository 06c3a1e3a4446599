// Piece painting: shade passes, holes, the sky body and the error trap.
#include <gtest/gtest.h>

#include <limits>

#include "terrain/layout/PaintPieces.h"
#include "terrain/layout/PaintSky.h"
#include "terrain/shapes/RandomShape.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/terrain/SeededMaps.h"

namespace orvane {
namespace {

using test::RecordingLog;
using test::ScriptedRandom;

TerrainPiece OutlinedPiece(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    TerrainPiece p = test::MakePiece(x, y, w, h, 0);
    p.Red = 200;
    p.Green = 100;
    p.Blue = 40;
    Random rng;
    rng.Reset();
    rng.Seed(77);
    p.Points = RandomShape(rng, p.Box(), 0.9f, 0.0f, 0);
    return p;
}

// Records 1..count with the given ones in front; the rest (moon and floor) hidden.
MapState MapWith(std::vector<TerrainPiece> front, std::int32_t count) {
    MapState map = test::MakeMap(240, 160, 4);
    const std::size_t given = front.size();
    front.resize(static_cast<std::size_t>(count));
    for (std::size_t i = given; i < front.size(); ++i) front[i].Hidden = true;
    test::SetPieces(map, std::move(front));
    return map;
}

TEST(PaintPieces, ShadePassesShrinkTheOutlineAndStoreItBack) {
    const TerrainPiece piece = OutlinedPiece(40, 30, 80, 60);
    MapState map = MapWith({piece}, 3);
    // Filler 0.5: four passes; every lower point moves up each pass, upper points stay.
    ScriptedRandom rng({}, 0.5f);
    RecordingLog log;
    PaintPieces(map, rng, log);
    EXPECT_TRUE(log.Diagnostics().empty());

    const TerrainPiece& done = map.pieces[1];
    ASSERT_EQ(done.ShadeCount(), 4);
    EXPECT_EQ(rng.Used(), 1 + 4 * piece.Points.size());
    // Shades 0.5, 0.55, 0.6, 0.65 of the base colour.
    EXPECT_EQ(done.Shade(1), RGB(100, 50, 20));
    EXPECT_EQ(done.Shade(4), RGB(130, 65, 26));
    // Pen 4 (width sum / 20 = 7, capped at the pass count) then 3, 2, 1, 1 over the passes.
    ASSERT_EQ(done.Points.size(), piece.Points.size());
    for (std::size_t j = 0; j < piece.Points.size(); ++j) {
        const bool lower = piece.Points[j].Quadrant >= 3;
        EXPECT_EQ(done.Points[j].Y, piece.Points[j].Y - (lower ? 7 : 0)) << j;
    }
    // The body is filled in its base colour at the centre.
    EXPECT_EQ(map.canvas.GetPixel(80, 60), piece.BaseColour());
}

TEST(PaintPieces, HoleTakesItsDrawsButPaintsNothing) {
    const auto paint = [](bool hole) {
        TerrainPiece piece = OutlinedPiece(40, 30, 80, 60);
        piece.IsHole = hole;
        MapState map = MapWith({piece}, 3);
        ScriptedRandom rng({}, 0.5f);
        NullLog log;
        PaintPieces(map, rng, log);
        return std::make_tuple(rng.Used(), test::CountLand(map.canvas), map.pieces[1].Shades);
    };
    const auto [holeDraws, holePixels, holeShades] = paint(true);
    const auto [landDraws, landPixels, landShades] = paint(false);
    EXPECT_EQ(holeDraws, landDraws);
    EXPECT_EQ(holePixels, 0);
    EXPECT_GT(landPixels, 1000);
    EXPECT_EQ(holeShades, landShades);
}

TEST(PaintPieces, SkyBodyKinds) {
    // Record 1 is the sky body, record 2 a hidden floor.
    const auto paint = [](SkyBody body, float filler) {
        TerrainPiece moon = OutlinedPiece(100, 20, 40, 40);
        moon.Body = body;
        if (body == SkyBody::None) moon.Red = moon.Green = moon.Blue = 0;
        moon.ExtentLeft = 20;
        moon.ExtentRight = 220;
        MapState map = MapWith({moon}, 2);
        ScriptedRandom rng({}, filler);
        NullLog log;
        PaintPieces(map, rng, log);
        return map;
    };
    // No body and the star chance fails (0.5 > 0.4): nothing at all, not even the outline.
    EXPECT_EQ(test::CountLand(paint(SkyBody::None, 0.5f).canvas), 0);
    // No body, stars (0.3 <= 0.4): every star the same red here, and no disc.
    const MapState starry = paint(SkyBody::None, 0.3f);
    EXPECT_GT(test::CountLand(starry.canvas), 0);
    for (Colour c : starry.canvas.Pixels()) EXPECT_TRUE(c == 0 || c == RGB(160, 10, 10));
    EXPECT_EQ(starry.canvas.GetPixel(120, 40), 0u);
    // A sun: a disc in the base colour with rays leaving it.
    const MapState sun = paint(SkyBody::Sun, 0.5f);
    EXPECT_EQ(sun.canvas.GetPixel(120, 40), RGB(200, 100, 40));
    EXPECT_GT(test::CountLand(sun.canvas), 900);
    // A crescent: the black disc, offset sideways, leaves part of the white one.
    const MapState crescent = paint(SkyBody::Moon, 0.5f);
    const int lit = test::CountLand(crescent.canvas);
    EXPECT_GT(lit, 20);
    EXPECT_LT(lit, test::CountLand(sun.canvas));
}

TEST(PaintPieces, EveryCountedStarIsTried) {
    // All draws 0: stars come, 12 of them, all on one spot. The first is drawn (two position
    // draws, width, a red colour in two); the other eleven see it and stop after their
    // positions. One star short would shift every later draw of the map.
    TerrainPiece moon = OutlinedPiece(100, 20, 40, 40);
    moon.Body = SkyBody::None;
    MapState map = MapWith({moon}, 2);
    ScriptedRandom rng({}, 0.0f);
    SkyState sky;
    PaintTrap trap;
    PaintSkyBody(map, rng, moon, SkyBodyFrame{}, sky, trap);
    EXPECT_FALSE(trap.Failed());
    EXPECT_EQ(rng.Used(), 1u + 5u + 5u + 11u * 2u);
}

TEST(PaintPieces, FailingStepIsReportedAndPaintingGoesOn) {
    // A box so far right that its centre overflows: that step is skipped, the rest is painted.
    TerrainPiece piece = OutlinedPiece(40, 30, 80, 60);
    piece.X = std::numeric_limits<std::int32_t>::max() - 10;
    MapState map = MapWith({piece, OutlinedPiece(130, 40, 60, 50)}, 4);
    ScriptedRandom rng({0.0f}, 0.5f);  // one pass for the first piece
    RecordingLog log;
    PaintPieces(map, rng, log);

    ASSERT_EQ(log.Diagnostics().size(), 1u);
    const std::string hi = std::to_string(piece.Points.size());
    const std::string hiPlusOne = std::to_string(piece.Points.size() + 1);
    EXPECT_EQ(log.Diagnostics()[0], "TC1 1\r\nTc2 " + hi + "\r\nTlng 1\r\ntlng2 " + hiPlusOne +
                                        "\r\nTC 1\r\nMoonMod X and Y 0 0\r\nMoonRad 0\r\n"
                                        "SMin & SMax 0 0");
    EXPECT_EQ(map.canvas.GetPixel(80, 60), piece.BaseColour());
    EXPECT_EQ(map.pieces[2].ShadeCount(), 4);
    EXPECT_EQ(map.canvas.GetPixel(160, 65), piece.BaseColour());
}

}  // namespace
}  // namespace orvane

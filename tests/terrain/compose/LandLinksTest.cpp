// Land links between two hand-made pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "terrain/compose/LandLinks.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/TestMaps.h"
#include "tests/support/TestSupport.h"

namespace orvane {
namespace {

using test::Fill;
using test::MakeMap;
using test::MakePiece;
using test::ScriptedRandom;

// Two solid blocks side by side with a 69-column gap; piece 1 may start links.
struct Pair {
    MapState map = MakeMap(800, 200);

    Pair(TerrainPiece z = MakePiece(50, 80, 60, 40), TerrainPiece p = MakePiece(180, 85, 60, 41)) {
        z.LinkChance = 1.0;
        for (Colour& s : p.Shades) s += RGB(0, 100, 0);
        Fill(map.canvas, z.X, z.Y, z.X + z.Width - 1, z.Y + z.Height - 1, z.BaseColour());
        Fill(map.canvas, p.X, p.Y, p.X + p.Width - 1, p.Y + p.Height - 1, p.BaseColour());
        TerrainPiece moon, floor;
        moon.Hidden = floor.Hidden = true;
        test::SetPieces(map, {z, p, moon, floor});
    }
    TerrainPiece& Z() { return map.pieces.Records[1]; }
    TerrainPiece& P() { return map.pieces.Records[2]; }
};

TEST(LinkPieces, BridgesTheGapInTheLargerPiecesShades) {
    Pair pair;
    Random rng;
    rng.Reset();
    rng.Seed(3);
    LinkPieces(pair.map, rng, 1);
    test::SaveForReview(pair.map.canvas, "link_pair.png");

    EXPECT_EQ(pair.map.stats.linksDrawn, 1);
    EXPECT_EQ(pair.P().LinkCount, 1);  // only the partner counts the link
    EXPECT_EQ(pair.Z().LinkCount, 0);

    // Every column of the gap now holds land, all of it in the partner's (larger) shades.
    const std::set<Colour> shades(pair.P().Shades.begin(), pair.P().Shades.end());
    for (std::int32_t x = 110; x < 180; ++x) {
        int land = 0;
        for (std::int32_t y = 0; y < 200; ++y) {
            const Colour c = pair.map.canvas.GetPixel(x, y);
            if (c == 0) continue;
            ++land;
            EXPECT_TRUE(shades.count(c)) << x << "," << y;
        }
        EXPECT_GT(land, 0) << "gap column " << x;
        EXPECT_LT(land, 20) << "a link is thin";
    }
}

TEST(LinkPieces, LandInTheWayStopsTheLinkAfterItsDraws) {
    Pair pair;
    Fill(pair.map.canvas, 140, 0, 141, 199);  // a wall between the two pieces
    const auto before =
        std::vector<Colour>(pair.map.canvas.Pixels().begin(), pair.map.canvas.Pixels().end());
    Random rng;
    rng.Reset();
    rng.Seed(3);
    LinkPieces(pair.map, rng, 1);
    EXPECT_EQ(pair.map.stats.linksDrawn, 0);
    EXPECT_EQ(pair.P().LinkCount, 0);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), pair.map.canvas.Pixels().begin()));
}

TEST(LinkPieces, RefusesWithoutDrawingMoreThanNeeded) {
    {  // a piece under 500 pixels never starts a link and draws nothing for it
        Pair pair(MakePiece(50, 80, 20, 24));
        ScriptedRandom rng({}, 0.0f);
        LinkPieces(pair.map, rng, 1);
        EXPECT_EQ(rng.Used(), 0u);
    }
    {  // centres in one column: slope 90, refused after the chance and the distance divisor
        Pair pair(MakePiece(100, 20, 40, 40), MakePiece(100, 120, 40, 40));
        ScriptedRandom rng({}, 0.0f);
        LinkPieces(pair.map, rng, 1);
        EXPECT_EQ(rng.Used(), 2u);
        EXPECT_EQ(pair.map.stats.linksDrawn, 0);
    }
    {  // an existing link makes the next one pass only when the extra coin is above 0.7
        Pair pair;
        pair.P().LinkCount = 1;
        ScriptedRandom rng({0.0f, 0.7f});
        LinkPieces(pair.map, rng, 1);
        EXPECT_EQ(rng.Used(), 2u);
    }
    {  // too far apart for the map's size: refused after the divisor draw
        Pair pair(MakePiece(10, 80, 60, 40), MakePiece(700, 80, 60, 40));
        ScriptedRandom rng({}, 0.0f);
        LinkPieces(pair.map, rng, 1);
        EXPECT_EQ(rng.Used(), 2u);
    }
}

TEST(LinkPieces, AnEndFoundAtColumnZeroCountsAsNotFound) {
    // With every draw 0 the land search hits (0, 10) at once; x = 0 means "not found", so
    // the partner is never searched: chance, divisor and one (x, y) try are all the draws.
    MapState map = MakeMap(400, 100);
    TerrainPiece z = MakePiece(0, 10, 25, 25);
    z.LinkChance = 1.0;
    Fill(map.canvas, 0, 10, 24, 34);
    Fill(map.canvas, 60, 10, 84, 34);
    TerrainPiece moon, floor;
    moon.Hidden = floor.Hidden = true;
    test::SetPieces(map, {z, MakePiece(60, 10, 25, 25), moon, floor});
    ScriptedRandom rng({}, 0.0f);
    LinkPieces(map, rng, 1);
    EXPECT_EQ(rng.Used(), 4u);
    EXPECT_EQ(map.stats.linksDrawn, 0);
}

TEST(LinkPieces, AFullLinkCountSaturatesInsteadOfFailing) {
    Pair pair;
    pair.P().LinkCount = 255;
    // Chance passes, the "already linked" coin fails, then mid-range values everywhere.
    ScriptedRandom rng({0.0f, 0.9f}, 0.5f);
    EXPECT_NO_THROW(LinkPieces(pair.map, rng, 1));
    EXPECT_EQ(pair.map.stats.linksDrawn, 1);
    EXPECT_EQ(pair.P().LinkCount, 255);
}

TEST(LinkPieces, OnlyOrdinaryPresentPiecesTakePart) {
    Pair pair;
    pair.P().Hidden = true;
    ScriptedRandom rng({}, 0.0f);
    LinkPieces(pair.map, rng, 1);
    LinkPieces(pair.map, rng, 3);  // the moon
    LinkPieces(pair.map, rng, 4);  // the floor
    EXPECT_EQ(rng.Used(), 0u);
}

}  // namespace
}  // namespace orvane

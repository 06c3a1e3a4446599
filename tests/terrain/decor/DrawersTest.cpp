// The seven drawers on small hand-made grounds: when they draw, when they decline, and what
// their sampled tests can and cannot see.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "map/MapStats.h"
#include "terrain/decor/Decorations.h"
#include "terrain/decor/DrawerSupport.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/TestMaps.h"
#include "tests/support/TestSupport.h"

namespace orvane {
namespace {

using test::Fill;
using test::MakeMap;
using test::MakePiece;
using test::ScriptedRandom;

struct DrawerCase {
    const char* name;
    DecorationDrawer draw;
    Drawer kind;
    std::int32_t minWidth, maxWidth;
    std::size_t drawsBeforeGroundTest;
};

const std::vector<DrawerCase> kDrawers = {
    {"grassTuft", DrawGrassTuft, Drawer::GrassTuft, 10, 18, 2},
    {"flower", DrawFlower, Drawer::Flower, 8, 12, 2},
    {"tree", DrawTree, Drawer::Tree, 20, 40, 2},
    {"gate", DrawGate, Drawer::Gate, 18, 48, 2},
    {"glyph", DrawGlyph, Drawer::Glyph, 12, 22, 2},
    {"figure", DrawFigure, Drawer::Figure, 24, 46, 2},  // size and style coin
    {"stickFigure", DrawStickFigure, Drawer::StickFigure, 6, 9, 1},
};

// Runs a drawer on the map; gives its advance.
std::int32_t Place(DecorationDrawer draw, MapState& map, Random& rng, std::int32_t left,
                   std::int32_t base, const TerrainPiece& piece) {
    DecorTarget target{map.canvas, map.colours, map.stats};
    return draw(target, rng, left, base, piece);
}

constexpr std::int32_t kLeft = 60;
constexpr std::int32_t kBase = 150;  // ground from row 151 down

MapState FlatGround() {
    MapState map = MakeMap(200, 200);
    Fill(map.canvas, 0, kBase + 1, 199, 199);
    return map;
}

std::vector<Colour> Pixels(const Canvas& c) {
    return {c.Pixels().begin(), c.Pixels().end()};
}

TEST(Drawers, StandOnFlatGroundAndReportTheirWidth) {
    for (const auto& d : kDrawers) {
        for (std::uint32_t seed = 1; seed <= 20; ++seed) {
            MapState map = FlatGround();
            const auto ground = Pixels(map.canvas);
            Random rng;
            rng.Reset();
            rng.Seed(seed);
            const std::int32_t advance =
                Place(d.draw, map, rng, kLeft, kBase, MakePiece(0, 0, 200, 200));
            SCOPED_TRACE(std::string(d.name) + " seed " + std::to_string(seed));
            EXPECT_GE(advance, d.minWidth - 1);
            EXPECT_LE(advance, d.maxWidth - 1);
            EXPECT_EQ(map.stats.decorations[static_cast<std::size_t>(d.kind)], 1);
            int above = 0;
            bool touchesGround = false;
            for (std::int32_t y = 0; y < 200; ++y)
                for (std::int32_t x = 0; x < 200; ++x) {
                    const Colour now = map.canvas.GetPixel(x, y);
                    if (now == ground[static_cast<std::size_t>(y * 200 + x)]) continue;
                    if (y <= kBase) ++above;
                    if (y == kBase || y == kBase + 1) touchesGround = true;
                    // Nothing reaches deep into the ground, and nothing strays far sideways.
                    EXPECT_LE(y, kBase + 3) << x << "," << y;
                    EXPECT_GE(x, kLeft - 14);
                    EXPECT_LE(x, kLeft + advance + 14);
                }
            EXPECT_GT(above, 0);
            EXPECT_TRUE(touchesGround) << "a decoration reaches down to the ground";
            if (seed == 1)
                test::SaveForReview(map.canvas, std::string("drawer_") + d.name + ".png");
        }
    }
}

TEST(Drawers, DecliningLeavesAdvanceZeroAndTheCanvasUntouched) {
    for (const auto& d : kDrawers) {
        SCOPED_TRACE(d.name);
        {  // nothing to stand on
            MapState map = MakeMap(200, 200);
            ScriptedRandom rng;
            const std::int32_t advance =
                Place(d.draw, map, rng, kLeft, kBase, MakePiece(0, 0, 200, 200));
            EXPECT_EQ(advance, 0);
            EXPECT_EQ(test::CountLand(map.canvas), 0);
            EXPECT_EQ(rng.Used(), d.drawsBeforeGroundTest);
            EXPECT_EQ(map.stats.decorations[static_cast<std::size_t>(d.kind)], 0);
        }
        {  // ground, but the box is full of land
            MapState map = FlatGround();
            Fill(map.canvas, 0, 0, 199, kBase);
            const auto before = Pixels(map.canvas);
            Random rng;
            rng.Reset();
            rng.Seed(5);
            const std::int32_t advance =
                Place(d.draw, map, rng, kLeft, kBase, MakePiece(0, 0, 200, 200));
            EXPECT_EQ(advance, 0);
            EXPECT_EQ(Pixels(map.canvas), before);
        }
    }
}

TEST(Drawers, GateSetsItsPenBeforeTheFreeTestAndTheTuftItsWidth) {
    MapState map = FlatGround();
    Fill(map.canvas, 0, 0, 199, kBase);
    ScriptedRandom rng({0.0f, 0.0f, 0.99f});  // W 18, H 25, pen RndInt(2) + 2 = 4
    EXPECT_EQ(Place(DrawGate, map, rng, kLeft, kBase, MakePiece(0, 0, 1, 1)), 0);
    EXPECT_EQ(rng.Used(), 3u);
    EXPECT_EQ(map.canvas.GetPenWidth(), 4);

    map.canvas.SetPenWidth(7);
    ScriptedRandom tuft;
    Place(DrawGrassTuft, map, tuft, kLeft, kBase, MakePiece(0, 0, 1, 1));
    EXPECT_EQ(tuft.Used(), 2u);
    EXPECT_EQ(map.canvas.GetPenWidth(), 1);
}

TEST(Drawers, AFlowerNeedsOnlyATwoPixelLedge) {
    // W = 8, H = 11: the stem stands on column CLng(50 + 4) = 54; the test reads columns 54
    // and 55 of row base + 2.
    for (std::int32_t ledge : {54, 55}) {
        MapState map = MakeMap(120, 140);
        Fill(map.canvas, ledge, 101, ledge + 1, 139);
        ScriptedRandom rng({0.0f, 0.0f});
        const std::int32_t advance = Place(DrawFlower, map, rng, 50, 100, MakePiece(0, 0, 1, 1));
        if (ledge == 54) {
            EXPECT_EQ(advance, 7);
            EXPECT_GT(test::CountLand(map.canvas), 2 * 39);
        } else {
            EXPECT_EQ(advance, 0);
            EXPECT_EQ(test::CountLand(map.canvas), 2 * 39);
        }
    }
}

TEST(Drawers, OnlyTheSolidFigureNoticesADipUnderItsMiddle) {
    // H = 48, W = 24: a pit three rows deep under the sample at fraction 0.4 (column left + 10).
    MapState map = FlatGround();
    Fill(map.canvas, kLeft + 10, kBase + 1, kLeft + 10, kBase + 3, 0);
    const auto before = Pixels(map.canvas);
    ScriptedRandom rng({0.0f, 0.0f});
    const std::int32_t advance = Place(DrawFigure, map, rng, kLeft, kBase, MakePiece(0, 0, 1, 1));
    EXPECT_EQ(advance, 0);
    EXPECT_EQ(rng.Used(), 2u);
    EXPECT_EQ(Pixels(map.canvas), before);

    for (DecorationDrawer corners : {DrawStickFigure, DrawGlyph, DrawGate}) {
        MapState other = FlatGround();
        Fill(other.canvas, kLeft + 10, kBase + 1, kLeft + 10, kBase + 3, 0);
        ScriptedRandom r({0.0f, 0.0f}, 0.3f);
        EXPECT_GT(Place(corners, other, r, kLeft, kBase, MakePiece(0, 0, 1, 1)), 0);
    }
}

TEST(Drawers, TheSunkenFlowerDiscKeepsTheHeadFiveAcross) {
    // All draws 0: W 8, H 11, top 140, jitters 1, so the head is centred on column 65; the
    // second disc sinks to row 141, which no other disc reaches as wide. One more pixel of
    // radius shows as a wider head.
    MapState map = FlatGround();
    ScriptedRandom rng({}, 0.0f);
    ASSERT_GT(Place(DrawFlower, map, rng, kLeft, kBase, MakePiece(0, 0, 1, 1)), 0);
    for (std::int32_t x = kLeft - 5; x <= kLeft + 15; ++x)
        EXPECT_EQ(map.canvas.GetPixel(x, 141) != 0, std::abs(x - 65) <= 2) << x;
}

TEST(Drawers, StickFigureFeetAndArmReachTheirRows) {
    // H 16 (draw 0), W 6, top 135, pen 1, no jitter (0.5). The feet end on the ground row
    // itself, not above or in it; the right arm, drawn last with ax 1 and ay at the top of
    // its range 0..4, ends alone in the column past the box, on row CLng(135 + 4.8 + 4).
    MapState map = FlatGround();
    ScriptedRandom rng({0.0f, 0.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f, 0.99f, 0.99f});
    ASSERT_GT(Place(DrawStickFigure, map, rng, kLeft, kBase, MakePiece(0, 0, 1, 1)), 0);
    EXPECT_EQ(rng.Used(), 10u);
    const Colour shade = RGB(80, 50, 30);
    for (std::int32_t foot : {kLeft, kLeft + 6}) {
        EXPECT_EQ(map.canvas.GetPixel(foot, kBase + 1), shade) << foot;
        EXPECT_EQ(map.canvas.GetPixel(foot, kBase + 2), test::kLand) << foot;
    }
    for (std::int32_t y = 0; y <= kBase; ++y)
        EXPECT_EQ(map.canvas.GetPixel(kLeft + 7, y) != 0, y == 144) << y;
}

TEST(Drawers, EachGapInAGatePostDrawsBothItsEnds) {
    // Filler 0 cuts both gaps, 0.4 neither (and takes the same other branch); each gap's
    // two end draws are part of the map's draw sequence.
    const auto draws = [](float filler) {
        MapState map = FlatGround();
        ScriptedRandom rng({}, filler);
        EXPECT_GT(Place(DrawGate, map, rng, kLeft, kBase, MakePiece(0, 0, 1, 1)), 0);
        return rng.Used();
    };
    EXPECT_EQ(draws(0.0f), draws(0.4f) + 2 * 2);
}

TEST(Drawers, AStrokeBetweenSamplesIsNotSeen) {
    // Glyph H = 18, W = 12: its grid reads columns 1, 2, 4, 5, 6, 7, 8 and 10 of the box
    // plus the corners 0 and 12, so an earlier thin stroke on column 3 goes unnoticed.
    for (std::int32_t offset : {3, 4}) {
        MapState map = FlatGround();
        Fill(map.canvas, kLeft + offset, kBase - 17, kLeft + offset, kBase, RGB(1, 2, 3));
        ScriptedRandom rng({0.0f, 0.0f}, 0.5f);
        const std::int32_t advance =
            Place(DrawGlyph, map, rng, kLeft, kBase, MakePiece(0, 0, 1, 1));
        EXPECT_EQ(advance, offset == 3 ? 11 : 0) << offset;
    }
}

TEST(Drawers, AColourDrawReachesEveryTableEntryAndNoMore) {
    // Plants colour each stroke from an eight-entry table: the draw's slots must cover all
    // eight, its ends included, and never index past the table.
    ColourTable table{};
    for (std::size_t i = 0; i < table.size(); ++i) table[i] = RGB(10, 90 + static_cast<int>(i), 10);
    for (std::size_t i = 0; i < table.size(); ++i) {
        ScriptedRandom rng({(static_cast<float>(i) + 0.5f) / 8.0f});
        EXPECT_EQ(decor::RandomEntry(rng, table), table[i]) << i;
    }
    ScriptedRandom low({0.0f}), high({std::nextafter(1.0f, 0.0f)});
    EXPECT_EQ(decor::RandomEntry(low, table), table.front());
    EXPECT_EQ(decor::RandomEntry(high, table), table.back());
}

TEST(Drawers, EachKindHasItsOwnReportName) {
    // The report counts decorations by kind under these names; one name per kind, no repeats.
    const std::set<std::string> names(kDrawerNames.begin(), kDrawerNames.end());
    EXPECT_EQ(names.size(), static_cast<std::size_t>(Drawer::StickFigure) + 1);
    EXPECT_EQ(kDrawerNames.size(), names.size());
    EXPECT_EQ(names.count(""), 0u);
}

TEST(Drawers, OneShadeGivesOutlinelessFigureAfterThreeRedraws) {
    // With a single shade pen and fill always agree; each distinct-pen rule still spends its
    // three draws, which shows in the draw count against a two-shade piece.
    auto drawsFor = [](int shades) {
        MapState map = FlatGround();
        Random rng;
        rng.Reset();
        rng.Seed(11);
        const auto before = rng.Draws();
        const std::int32_t advance =
            Place(DrawFigure, map, rng, kLeft, kBase, MakePiece(0, 0, 1, 1, shades));
        EXPECT_GT(advance, 0);
        return rng.Draws() - before;
    };
    // size, coin, pen width, 2 body, 2 limbs, 3 redraws, 2 head, 2 mouth offsets, mouth pen,
    // 3 redraws.
    EXPECT_EQ(drawsFor(1), 18u);
    EXPECT_LE(drawsFor(2), 18u);
}

}  // namespace
}  // namespace orvane

// The order of the sweeps' draws and how a drawer's advance moves a sweep on, with stand-in
// drawers that only record where they were called.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "terrain/compose/FeatureSweeps.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/TestMaps.h"

namespace orvane {
namespace {

using test::Fill;
using test::MakeMap;
using test::MakePiece;
using test::ScriptedRandom;

struct Call {
    Drawer kind;
    std::int32_t left, base;
    bool operator==(const Call&) const = default;
};
std::vector<Call> calls;
std::int32_t stubAdvance = 0;

template <Drawer K>
std::int32_t Stub(DecorTarget&, Random&, std::int32_t left, std::int32_t base,
                  const TerrainPiece&) {
    calls.push_back({K, left, base});
    return stubAdvance;
}

const DecorationDrawers kStubs{Stub<Drawer::GrassTuft>,  Stub<Drawer::Flower>, Stub<Drawer::Tree>,
                               Stub<Drawer::Gate>,       Stub<Drawer::Glyph>,  Stub<Drawer::Figure>,
                               Stub<Drawer::StickFigure>};

// Columns 10..14 of a piece at rows 20..79, margin 0; land from row 50 down in the columns
// given (one surface each, at y = 49).
struct Strip {
    MapState map = MakeMap(40, 100);
    TerrainPiece piece;

    Strip(LandKind kind, std::int32_t landFrom = 10, std::int32_t landTo = 14) {
        piece = MakePiece(10, 20, 4, 60, 3, kind);
        if (landFrom <= landTo) Fill(map.canvas, landFrom, 50, landTo, 99);
        calls.clear();
    }
    std::size_t Draws(float filler, bool walkForWeapons = false) {
        map.WalkForWeapons = walkForWeapons;
        map.layout.WeaponIconSize = 14;
        ScriptedRandom rng({}, filler);
        SweepFeatures(map, rng, 1, piece, kStubs);
        return rng.Used();
    }
};

TEST(FeatureSweeps, SearchFirstInTheEarlySweepsChanceFirstInTheLater) {
    // Every chance fails at 0.99. Two density draws, then per column: the tree-and-gate
    // sweep searches (one draw when found) before its chance; the later sweeps draw only
    // their chance, since the search follows a passed chance.
    EXPECT_EQ(Strip(LandKind::Grey).Draws(0.99f),
              2u + 5 * 2 + 3 * 5);  // glyph, figure, stick sweeps
    EXPECT_EQ(Strip(LandKind::Brown).Draws(0.99f), 2u + 5 * 2 + 3 * 5);
    EXPECT_EQ(Strip(LandKind::Green).Draws(0.99f),
              2u + 5 * 2 + 2 * 5);  // flower-or-tuft, stick sweeps
    // The weapon sweep also searches first; it makes no draw at all when it is off.
    EXPECT_EQ(Strip(LandKind::Grey).Draws(0.99f, true), 2u + 5 * 2 + 5 * 2 + 3 * 5);
    EXPECT_TRUE(calls.empty());
}

TEST(FeatureSweeps, BareColumnsAreSearchedOnceAndThenSkipped) {
    EXPECT_EQ(Strip(LandKind::Grey, 1, 0).Draws(0.0f),
              2u);  // no land: nothing found, nothing drawn
    // Land under columns 10..12 only: the later sweeps draw no chance for 13 and 14.
    EXPECT_EQ(Strip(LandKind::Grey, 10, 12).Draws(0.99f), 2u + 3 * 2 + 3 * 3);
}

TEST(FeatureSweeps, DrawersGetTheSurfaceAndMoveTheSweepOn) {
    // With every draw 0 each chance passes; an advance of 2 plus the sweep's own step
    // leaves out two columns after each object.
    stubAdvance = 2;
    Strip(LandKind::Grey).Draws(0.0f);
    const std::int32_t b = 49;
    EXPECT_EQ(calls, (std::vector<Call>{{Drawer::Gate, 10, b},
                                        {Drawer::Gate, 13, b},
                                        {Drawer::Glyph, 10, b},
                                        {Drawer::Glyph, 13, b},
                                        {Drawer::Figure, 10, b},
                                        {Drawer::Figure, 13, b},
                                        {Drawer::StickFigure, 10, b},
                                        {Drawer::StickFigure, 13, b}}));

    Strip(LandKind::Green)
        .Draws(0.0f);  // green: trees, then flowers (the coin at 0 picks the flower)
    EXPECT_EQ(calls, (std::vector<Call>{{Drawer::Tree, 10, b},
                                        {Drawer::Tree, 13, b},
                                        {Drawer::Flower, 10, b},
                                        {Drawer::Flower, 13, b},
                                        {Drawer::StickFigure, 10, b},
                                        {Drawer::StickFigure, 13, b}}));

    stubAdvance = 0;  // a refusal: the sweep goes on at the next column
    Strip(LandKind::Brown).Draws(0.0f);
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const Call& c) { return c.kind == Drawer::Glyph; }),
              5);
}

TEST(FeatureSweeps, NoGateOnAStonyPieceMeansNoAdvance) {
    // Chance passes, the gate coin (0.5 > 0.44) fails: no drawer, and the next column is
    // searched right away. Densities 0.0 / 0.0; per column search, chance 0, coin 0.5.
    Strip s(LandKind::Grey);
    std::vector<float> script = {0.0f, 0.0f};
    for (int i = 0; i < 5; ++i) script.insert(script.end(), {0.0f, 0.0f, 0.5f});
    ScriptedRandom rng(script, 0.99f);
    stubAdvance = 9;
    SweepFeatures(s.map, rng, 1, s.piece, kStubs);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(rng.Used(), 2u + 5 * 3 + 3 * 5);
}

}  // namespace
}  // namespace orvane

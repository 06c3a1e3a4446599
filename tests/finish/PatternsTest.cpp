// Cut patterns: one chance draw per pattern, the draws of each pattern, inclusive loops, and
// that the cuts land where the spacing puts them.
#include <gtest/gtest.h>

#include <vector>

#include "map/MapState.h"
#include "tests/support/PatternCuts.h"
#include "tests/support/ScriptedRandom.h"

namespace orvane {
namespace {

using test::ScriptedRandom;
constexpr Colour kLand = RGB(100, 150, 30);

MapState LandMap(int w, int h) {
    MapState map;
    map.canvas.CreateImage(w, h, kLand);
    return map;
}

TEST(Patterns, AChanceOfZeroDrawsFourTimesAndCutsNothing) {
    MapState map = LandMap(40, 30);
    ScriptedRandom rng({}, 0.25f);
    test::CutPatternsAsMapsDo(map.canvas, map.stats, rng, 0.0f);
    EXPECT_EQ(rng.Used(), 4u);
    for (Colour p : map.canvas.Pixels()) ASSERT_EQ(p, kLand);
    EXPECT_TRUE(map.stats.patterns.empty());
}

TEST(Patterns, HorizontalSlitsEveryFourthRowIncludingBothEnds) {
    // Pen 1 (draw 0), spacing RndInt(3) = 2 plus 2: rows 0, 4, ..., 100.
    MapState map = LandMap(30, 101);
    ScriptedRandom rng({0.0f, 0.0f, 0.5f, 0.9f, 0.9f, 0.9f});
    test::CutPatternsAsMapsDo(map.canvas, map.stats, rng, 0.3f);
    EXPECT_EQ(rng.Used(), 6u);
    for (int y = 0; y < 101; ++y) {
        for (int x = 0; x < 30; ++x) {
            ASSERT_EQ(map.canvas.GetPixel(x, y) == 0, y % 4 == 0) << x << "," << y;
        }
    }
    EXPECT_EQ(map.stats.patterns, std::vector<std::string>{"horizontalSlits"});
}

TEST(Patterns, VerticalSlitsReachTheLastColumn) {
    // Spacing 1 + 1 + RndInt(3) = 5 with a draw of 0.75: columns 0, 5, ..., 40.
    MapState map = LandMap(41, 12);
    ScriptedRandom rng({0.9f, 0.0f, 0.0f, 0.75f, 0.9f, 0.9f});
    test::CutPatternsAsMapsDo(map.canvas, map.stats, rng, 0.3f);
    EXPECT_EQ(rng.Used(), 6u);
    for (int x = 0; x < 41; ++x) EXPECT_EQ(map.canvas.GetPixel(x, 6) == 0, x % 5 == 0) << x;
    EXPECT_EQ(map.canvas.GetPixel(5, 0), 0u);  // from the top row down
}

TEST(Patterns, AWideSlitOnTheFarEdgeCutsTheLastColumn) {
    // Pen 2, spacing 0 + 2 + 1 = 3 on a width of 12: the slit at x = 12 lies on the far edge
    // itself, and its two-pixel pen still cuts column 11.
    MapState map = LandMap(12, 8);
    ScriptedRandom rng({0.9f, 0.0f, 0.5f, 0.0f, 0.9f, 0.9f});
    test::CutPatternsAsMapsDo(map.canvas, map.stats, rng, 0.3f);
    EXPECT_EQ(map.canvas.GetPixel(11, 4), 0u);
    EXPECT_EQ(map.canvas.GetPixel(10, 4), kLand);
}

TEST(Patterns, JitteredHolesDrawWidthThenOffsetPerHole) {
    // Pen 2, sy = 0 + 2 + 1 = 3, sx = 3 + 2 + 1 = 6 on 18 x 9: columns 0, 6, 12, 18 and
    // rows 0, 3, 6, 9, the last of each on the far edge itself, so 16 holes of two draws each.
    MapState map = LandMap(18, 9);
    std::vector<float> script = {0.9f, 0.9f, 0.0f, 0.9f, 0.0f, 0.99f};
    for (int i = 0; i < 16; ++i) {
        script.push_back(0.0f);   // width 1
        script.push_back(0.25f);  // offset RndInt(3) = 1
    }
    script.push_back(0.9f);  // the regular grid does not happen
    ScriptedRandom rng(script);
    test::CutPatternsAsMapsDo(map.canvas, map.stats, rng, 0.3f);
    EXPECT_EQ(rng.Used(), script.size());
    int holes = 0;
    for (Colour p : map.canvas.Pixels()) holes += p == 0;
    EXPECT_EQ(holes, 3 * 3);  // the holes in column 18 and pushed to row 10 fall outside
    EXPECT_EQ(map.canvas.GetPixel(6, 4), 0u);
    EXPECT_EQ(map.canvas.GetPixel(6, 3), kLand);
}

TEST(Patterns, RegularHolesKeepOnePenWidth) {
    // Pen 2 (draw 0.5), sy = 1 + 2 + 1 = 4, sx = 0 + 2 + 1 = 3: 2 x 2 holes at the grid
    // points, and no draws per hole.
    MapState map = LandMap(13, 9);
    ScriptedRandom rng({0.9f, 0.9f, 0.9f, 0.0f, 0.5f, 0.25f, 0.0f});
    test::CutPatternsAsMapsDo(map.canvas, map.stats, rng, 0.3f);
    EXPECT_EQ(rng.Used(), 7u);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 13; ++x) {
            const bool hole = x % 3 < 2 && y % 4 < 2;
            ASSERT_EQ(map.canvas.GetPixel(x, y) == 0, hole) << x << "," << y;
        }
    }
    EXPECT_EQ(map.stats.patterns, std::vector<std::string>{"regularHoles"});
}

}  // namespace
}  // namespace orvane

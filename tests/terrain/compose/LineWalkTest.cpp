// The shared line walk and the three walkers built on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "terrain/compose/LineWalk.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/TestMaps.h"

namespace orvane {
namespace {

using test::Fill;
using test::ScriptedRandom;

std::vector<LinePoint> Visit(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    std::vector<LinePoint> points;
    for (LineWalk w(x0, y0, x1, y1); !w.AtEnd(); w.Step()) points.push_back({w.X(), w.Y()});
    return points;
}

TEST(LineWalk, VisitsTheStartButNotTheEnd) {
    EXPECT_EQ(Visit(0, 0, 4, 2), (std::vector<LinePoint>{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    // Not symmetric: walking back rounds the other way.
    EXPECT_EQ(Visit(4, 2, 0, 0), (std::vector<LinePoint>{{4, 2}, {3, 2}, {2, 1}, {1, 1}}));
    EXPECT_EQ(Visit(2, 5, 2, 2), (std::vector<LinePoint>{{2, 5}, {2, 4}, {2, 3}}));
    EXPECT_TRUE(Visit(7, 7, 7, 7).empty());
    // Steep and diagonal walks take one pixel per row or column: max(|dx|, |dy|) steps.
    EXPECT_EQ(Visit(0, 0, 3, -9).size(), 9u);
    EXPECT_EQ(Visit(-3, -3, 3, 3).size(), 6u);
}

TEST(LineWalk, EmptinessIgnoresTheEndAndSeesTheStart) {
    Canvas c;
    c.CreateImage(20, 10);
    c.SetPixel(10, 5, test::kLand);
    EXPECT_TRUE(IsLineEmpty(c, 0, 5, 10, 5));       // land only at the end
    EXPECT_FALSE(IsLineEmpty(c, 10, 5, 0, 5));      // land at the start
    EXPECT_FALSE(IsLineEmpty(c, 0, 5, 15, 5));      // land on the way
    EXPECT_TRUE(IsLineEmpty(c, 10, 5, 10, 5));      // nothing visited
    EXPECT_TRUE(IsLineEmpty(c, -30, -30, -5, 40));  // outside the picture reads as empty
}

TEST(LineWalk, FirstEmptyStopsAtTheEdgeOfTheLand) {
    Canvas c;
    c.CreateImage(20, 10);
    Fill(c, 0, 0, 6, 9);
    EXPECT_EQ(FirstEmptyOnLine(c, 2, 4, 15, 4), (LinePoint{7, 4}));
    EXPECT_EQ(FirstEmptyOnLine(c, 12, 4, 2, 4), (LinePoint{12, 4}));  // empty start: itself
    EXPECT_EQ(FirstEmptyOnLine(c, 2, 4, 6, 4), (LinePoint{2, 4}));    // no empty pixel: start
    EXPECT_EQ(FirstEmptyOnLine(c, 2, 4, 7, 4), (LinePoint{2, 4}));    // the end is never read
    EXPECT_EQ(FirstEmptyOnLine(c, 3, 3, 3, 3), (LinePoint{3, 3}));
}

TEST(LineWalk, JaggedLineAddsJitteredPointsAlongTheWalk) {
    // t = RndInt(4) + 1 = 3, p = (RndInt(30) + 5) / 100 = 0.35; then one coin per visited
    // point and two offsets for every coin that passes.
    Canvas c;
    c.CreateImage(50, 50);
    ScriptedRandom rng({0.5f, 0.99f,        // t = 3, p = 0.35
                        0.2f, 0.0f, 0.99f,  // point (10, 10): u = 0, v = 6
                        0.9f,               // (11, 10) skipped
                        0.35f, 0.5f, 0.5f,  // (12, 10): equal to p takes it; u = v = 3
                        0.9f, 0.9f});
    AddJaggedLine(c, rng, 10, 10, 15, 10);
    EXPECT_EQ(rng.Used(), 11u);
    // Exactly the two points (10 + 3 - 0, 10 + 3 - 6) and (12 + 3 - 3, 10 + 3 - 3).
    Canvas expected;
    expected.CreateImage(50, 50);
    expected.AddPolyPoint(13, 7);
    expected.AddPolyPoint(12, 10);
    for (Canvas* k : {&c, &expected}) {
        k->SetPenColour(test::kLand);
        k->SetPenWidth(1);
        k->DrawPolyline();
    }
    EXPECT_TRUE(std::ranges::equal(c.Pixels(), expected.Pixels()));

    // Over many lines every vertex lies within t <= 5 of the walk, never past its end.
    Random real;
    real.Reset();
    real.Seed(7);
    for (int i = 0; i < 50; ++i) {
        Canvas d;
        d.CreateImage(60, 30);
        AddJaggedLine(d, real, 5, 15, 45, 15);
        d.SetPenColour(test::kLand);
        d.DrawPolyline();
        for (std::int32_t y = 0; y < 30; ++y)
            for (std::int32_t x = 0; x < 60; ++x)
                if (d.GetPixel(x, y) != 0) {
                    EXPECT_LE(std::abs(y - 15), 5);
                    EXPECT_GE(x, 0);
                    EXPECT_LE(x, 48);  // last visited column 44, plus t
                }
    }
}

}  // namespace
}  // namespace orvane

// Outline geometry: crossing tests, Bezier sampling and the closed random outlines.
#include <gtest/gtest.h>

#include <limits>

#include "core/Numeric.h"
#include "terrain/shapes/Bezier.h"
#include "terrain/shapes/RandomShape.h"
#include "tests/support/ScriptedRandom.h"

namespace orvane {
namespace {

ShapePoint P(std::int32_t x, std::int32_t y, std::uint8_t q = 0) {
    return ShapePoint{x, y, q};
}

// Whether A-B crosses C-D, asked as the outline cleaning asks.
bool SegmentsCross(const ShapePoint& a, const ShapePoint& b, const ShapePoint& c,
                   const ShapePoint& d) {
    const ShapePoint cd[] = {c, d};
    return FindCrossing(a, b, 0, 1, 1, cd).has_value();
}

TEST(SegmentsCross, InteriorCrossingsOnlyWithOnePercentEnds) {
    // The diagonals of a square cross in the middle.
    EXPECT_TRUE(SegmentsCross(P(0, 0), P(10, 10), P(0, 10), P(10, 0)));
    // Parallel and collinear segments have den = 0.
    EXPECT_FALSE(SegmentsCross(P(0, 0), P(10, 0), P(0, 5), P(10, 5)));
    EXPECT_FALSE(SegmentsCross(P(0, 0), P(10, 0), P(5, 0), P(15, 0)));
    // Segments sharing an end point, as neighbouring outline segments do.
    EXPECT_FALSE(SegmentsCross(P(0, 0), P(10, 10), P(10, 10), P(20, 0)));
    // A crossing at 0.5% along A-B is too near its end; at exactly 1% it counts.
    EXPECT_FALSE(SegmentsCross(P(0, 0), P(200, 0), P(1, -10), P(1, 10)));
    EXPECT_TRUE(SegmentsCross(P(0, 0), P(100, 0), P(1, -10), P(1, 10)));
    // The lines cross, but beyond the end of C-D.
    EXPECT_FALSE(SegmentsCross(P(0, 0), P(10, 0), P(5, 1), P(5, 10)));
}

TEST(SegmentsCross, OverflowIsAnErrorNotAWrongAnswer) {
    const std::int32_t big = std::numeric_limits<std::int32_t>::max() / 2;
    EXPECT_THROW(SegmentsCross(P(-big, -big), P(big, big), P(-big, big), P(big, -big)), RunError);
}

TEST(FindCrossing, LowestCrossedSegmentExceptTheSkippedOne) {
    // Points 1..4 (slot 0 unused): segments 2 and 4 are vertical, 3 runs along the top.
    const std::vector<ShapePoint> pts = {P(0, 0), P(2, -5), P(2, 5), P(8, 5), P(8, -5)};
    const ShapePoint a = P(0, 0);
    const ShapePoint b = P(10, 0);
    EXPECT_EQ(FindCrossing(a, b, 0, 2, 4, pts), 2);
    EXPECT_EQ(FindCrossing(a, b, 2, 2, 4, pts), 4);
    EXPECT_EQ(FindCrossing(a, b, 0, 3, 3, pts), std::nullopt);
    // A search that reaches past the points is an error, not a read outside them.
    EXPECT_THROW(FindCrossing(P(0, 20), P(10, 20), 0, 2, 5, pts), RunError);

    // Map-sized coordinates are searched without overflow checks, larger ones with them: the
    // same picture at any scale gives the same answers, and a real overflow still fails.
    for (const std::int32_t scale : {1000, 3000}) {
        std::vector<ShapePoint> scaled;
        for (const ShapePoint& p : pts) scaled.push_back(P(p.X * scale, p.Y * scale));
        const ShapePoint sa = P(0, 0), sb = P(10 * scale, 0);
        EXPECT_EQ(FindCrossing(sa, sb, 0, 2, 4, scaled), 2) << scale;
        EXPECT_EQ(FindCrossing(sa, sb, 2, 2, 4, scaled), 4) << scale;
        EXPECT_EQ(FindCrossing(sa, sb, 0, 3, 3, scaled), std::nullopt) << scale;
    }
    const std::int32_t big = std::numeric_limits<std::int32_t>::max() / 2;
    const std::vector<ShapePoint> far = {P(0, 0), P(-big, big), P(big, -big)};
    EXPECT_THROW(FindCrossing(P(-big, -big), P(big, big), 0, 2, 2, far), RunError);
}

TEST(BezierPoints, TenPointsFromP0ToP3ExactlyOrNineWhenTheLastSampleIsAtXZero) {
    const auto curve = BezierPoints({P(0, 0), P(30, 90), P(70, 90), P(100, 0)}, 0.112);
    ASSERT_EQ(curve.size(), 10u);
    EXPECT_EQ(curve.front(), P(0, 0));
    EXPECT_EQ(curve.back(), P(100, 0));
    // The fifth sample, t = 0.448: x = 44.54 rounds to 45, y = 66.77 to 67.
    EXPECT_EQ(curve[4].X, 45);
    EXPECT_EQ(curve[4].Y, 67);

    const auto still = BezierPoints({P(7, 3), P(7, 3), P(7, 3), P(7, 3)}, 0.112);
    ASSERT_EQ(still.size(), 10u);
    for (const auto& p : still) EXPECT_EQ(p, P(7, 3));

    const auto onAxis = BezierPoints({P(0, 4), P(0, 4), P(0, 4), P(0, 4)}, 0.112);
    EXPECT_EQ(onAxis.size(), 9u);
    EXPECT_EQ(onAxis.back(), P(0, 4));

    EXPECT_THROW(BezierPoints({P(0, 0), P(1, 1), P(2, 2), P(3, 3)}, 0.0), RunError);
}

TEST(AppendPoints, GrowsFromCountAndStampsTheQuadrant) {
    Outline dest = {P(1, 1, 4), P(2, 2, 4)};
    const std::vector<ShapePoint> src = {P(5, 6, 1), P(7, 8, 2)};
    EXPECT_EQ(AppendPoints(dest, 2, src, 3), 4);
    ASSERT_EQ(dest.size(), 4u);
    EXPECT_EQ(dest[1], P(2, 2, 4));
    EXPECT_EQ(dest[2], P(5, 6, 3));
    EXPECT_EQ(dest[3], P(7, 8, 3));
}

void ExpectClosedAndNearBox(const Outline& out, const Rect& box) {
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out.front().X, out.back().X);
    EXPECT_EQ(out.front().Y, out.back().Y);
    // Radius factors stay below 1.3, so points stay within a third of the box around it.
    const std::int32_t slackX = (box.Right - box.Left) / 3 + 2;
    const std::int32_t slackY = (box.Bottom - box.Top) / 3 + 2;
    for (const auto& p : out) {
        EXPECT_GE(p.X, box.Left - slackX);
        EXPECT_LE(p.X, box.Right + slackX);
        EXPECT_GE(p.Y, box.Top - slackY);
        EXPECT_LE(p.Y, box.Bottom + slackY);
        EXPECT_GE(p.Quadrant, 1);
        EXPECT_LE(p.Quadrant, 4);
    }
}

TEST(RandomShape, ClosedOutlinesForManySeedsAndPointCounts) {
    const Rect box{100, 50, 400, 250};
    Random rng;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        rng.Reset();
        rng.Seed(seed);
        const std::int32_t n = seed % 3 == 0 ? 0 : static_cast<std::int32_t>(seed * 7);
        const float minX = seed % 2 ? 0.9f : 0.0f;
        const Outline out = RandomShape(rng, box, minX, 0.0f, n);
        SCOPED_TRACE(seed);
        ExpectClosedAndNearBox(out, box);
        // Bezier segments of ten points each, sharing nothing: a multiple of ten.
        EXPECT_EQ(out.size() % 10, 0u);
    }
}

TEST(RandomShape, TooFewKeptPointsCloseOnThemselves) {
    // With one to three raw points the smoothing walk has nothing to walk: the kept points
    // are joined and closed instead, without reading outside them.
    const Rect box{0, 0, 60, 40};
    for (std::int32_t n = 1; n <= 3; ++n) {
        Random rng;
        rng.Reset();
        rng.Seed(static_cast<std::uint32_t>(n));
        const Outline out = RandomShape(rng, box, 0.9f, 0.0f, n);
        SCOPED_TRACE(n);
        EXPECT_EQ(out.size(), static_cast<std::size_t>(n) + 1);
        ExpectClosedAndNearBox(out, box);
    }
    Random rng;
    EXPECT_THROW(RandomShape(rng, box, 0.9f, 0.0f, -1), RunError);
}

TEST(RandomShape, StartingDrawsAreMadeWhateverTheArgumentsAsk) {
    // A constant 0.95 skips every radius step (0.95 > 0.8) and every limit (0.95 is below no
    // lower limit given here, and within the upper one), so only the seven starting draws and the
    // two step tests per point remain. n = 0 gives 80 + Fix(0.95 * 81) = 156 points.
    const auto draws = [](float minX, float minY, std::int32_t n) {
        test::ScriptedRandom rng({}, 0.95f);
        RandomShape(rng, Rect{0, 0, 100, 100}, minX, minY, n);
        return rng.Used();
    };
    for (const std::int32_t n : {0, 100}) {
        SCOPED_TRACE(n);
        const std::size_t expected = 7u + 2u * static_cast<std::size_t>(n == 0 ? 156 : n);
        EXPECT_EQ(draws(0.0f, 0.0f, n), expected);
        EXPECT_EQ(draws(0.9f, 0.0f, n), expected);
        EXPECT_EQ(draws(0.0f, 0.5f, n), expected);
        EXPECT_EQ(draws(0.9f, 0.5f, n), expected);
        EXPECT_EQ(draws(0.95f, 0.95f, n), expected);  // a factor on its lower limit stays
    }
}

TEST(RandomShape, AFactorOnItsUpperLimitIsKeptWithoutADraw) {
    // Of 24 points the fifth lies at 90 degrees, where the upper limit is exactly 1. There its
    // x factor wanders from 0.95 up by 1/12 of 0.6, to 1 in single precision: on the limit,
    // so it is kept and no draw pulls it back.
    std::vector<float> script = {0.95f, 0.95f, 0.95f, 0.95f, 0.5f, 0.5f, 0.95f};
    script.resize(script.size() + 8, 0.95f);               // points 1 to 4 take no step
    script.insert(script.end(), {0.0f, 1.0f / 12, 0.0f});  // step, amount added, amount taken
    test::ScriptedRandom rng(script, 0.95f);
    RandomShape(rng, Rect{0, 0, 100, 100}, 0.5f, 0.5f, 24);
    EXPECT_EQ(rng.Used(), 7u + 2u * 24u + 2u);
}

}  // namespace
}  // namespace orvane

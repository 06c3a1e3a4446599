// Surface search in one column, and the distance and slope measures.
#include <gtest/gtest.h>

#include <limits>

#include "terrain/compose/SurfaceSearch.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/TestMaps.h"

namespace orvane {
namespace {

using test::Fill;
using test::MakeMap;
using test::MakePiece;
using test::ScriptedRandom;

// A 100-row column scanned from row 1 (top clamped) every 5 rows: 1, 6, 11, ..., 96.
struct Column {
    MapState map = MakeMap(8, 100);
    TerrainPiece piece = MakePiece(0, 0, 8, 99);

    struct Result {
        bool found;
        std::int32_t y;
        std::size_t draws;
    };
    Result Search(std::int32_t minGap, std::vector<float> script = {}) {
        ScriptedRandom rng(std::move(script));
        const auto y = FindSurface(map.canvas, rng, 3, piece, map.layout.PieceMargin, minGap);
        return {y.has_value(), y.value_or(-7), rng.Used()};
    }
};

TEST(FindSurface, ReturnsTheEmptyRowAboveTheLand) {
    Column c;
    Fill(c.map.canvas, 3, 40, 3, 99);  // first land sample at row 41
    const auto r = c.Search(30);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.y, 39);      // refined from the sample row up to the pixel just above the land
    EXPECT_EQ(r.draws, 1u);  // RndInt(0) picks the only surface
}

TEST(FindSurface, LaterSurfacesNeedTheGapBetweenSamples) {
    Column c;
    Fill(c.map.canvas, 3, 20, 3, 29);  // a ledge: land sampled at 21 and 26
    Fill(c.map.canvas, 3, 60, 3, 99);  // ground: empty samples 31..56, land at 61, gap 30
    EXPECT_EQ(c.Search(30, {0.0f}).y, 19);
    EXPECT_EQ(c.Search(30, {0.99f}).y, 59);
    // With a larger minimum the lower passage is not a surface: only the ledge is left.
    const auto r = c.Search(35, {0.99f});
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.y, 19);
    EXPECT_EQ(r.draws, 1u);
}

TEST(FindSurface, LandAtTheFirstSampleIsNotASurface) {
    Column c;
    Fill(c.map.canvas, 3, 0, 3, 10);
    Fill(c.map.canvas, 3, 50, 3, 99);
    const auto r = c.Search(500, {0.99f});  // the first passage is taken whatever the gap
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.y, 49);
}

TEST(FindSurface, ColumnsWithoutAPassageDrawNothing) {
    Column empty;
    auto r = empty.Search(5);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.y, -7);
    EXPECT_EQ(r.draws, 0u);

    Column solid;
    Fill(solid.map.canvas, 3, 0, 3, 99);
    r = solid.Search(5);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.y, -7);
    EXPECT_EQ(r.draws, 0u);
}

TEST(FindSurface, ScanStaysWithinTheMapAndTheWidenedBox) {
    // A piece reaching past the bottom edge is scanned only to the last row; one lying in
    // the margin above the map starts at row 1. Land below the widened box is not seen.
    MapState map = MakeMap(4, 50, 5);
    Fill(map.canvas, 0, 30, 3, 49);
    ScriptedRandom rng;
    EXPECT_EQ(FindSurface(map.canvas, rng, 1, MakePiece(0, -20, 4, 200), 5, 5), 29);
    // Scans rows 1..15 only.
    EXPECT_EQ(FindSurface(map.canvas, rng, 1, MakePiece(0, 0, 4, 10), 5, 5), std::nullopt);
}

TEST(Measures, DistanceRoundsAndSlopeIsUnsigned) {
    EXPECT_EQ(PointDistance(0, 0, 1, 2), 2);  // 2.236
    EXPECT_EQ(PointDistance(0, 0, 3, 4), 5);
    EXPECT_EQ(PointDistance(3, 4, 0, 0), 5);
    EXPECT_EQ(PointDistance(0, 0, 1, 1), 1);  // 1.414

    EXPECT_EQ(SlopeAngle(0, 0, 10, 0), 0.0);
    EXPECT_NEAR(SlopeAngle(0, 0, 1, 1), 45.0, 1e-9);
    EXPECT_NEAR(SlopeAngle(0, 0, -1, 1), 45.0, 1e-9);
    EXPECT_NEAR(SlopeAngle(5, 5, 4, 4), 45.0, 1e-9);
    EXPECT_EQ(SlopeAngle(3, 0, 3, 100), 90.0);
    EXPECT_EQ(SlopeAngle(3, 7, 3, 7), 90.0);
    EXPECT_NEAR(SlopeAngle(0, 0, 1, 2), 63.4349, 1e-4);
}

TEST(Measures, OverflowIsAnErrorNotAWrap) {
    const std::int32_t lo = std::numeric_limits<std::int32_t>::min();
    const std::int32_t hi = std::numeric_limits<std::int32_t>::max();
    EXPECT_THROW(PointDistance(lo, 0, hi, 0), RunError);
    EXPECT_THROW(SlopeAngle(0, lo, 1, hi), RunError);
}

}  // namespace
}  // namespace orvane

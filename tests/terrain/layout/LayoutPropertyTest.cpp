// Properties of whole layouts over many seeds, and the terrain entry point's log.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "core/Numeric.h"
#include "terrain/GenerateTerrain.h"
#include "tests/terrain/SeededMaps.h"

namespace orvane::test {
namespace {

// Fewer seeds when the sanitizers slow everything down tenfold.
int SeedCount() {
    const char* env = std::getenv("ORVANE_LAYOUT_SEEDS");
    return env ? std::atoi(env) : 200;
}

void CheckLayout(const MapState& map) {
    ASSERT_GE(map.layout.PieceCount, 2);
    ASSERT_EQ(map.pieces.Records.size(), static_cast<std::size_t>(map.layout.PieceCount) + 1);
    const TerrainPiece& moon = map.pieces[map.pieces.MoonIndex()];
    const TerrainPiece& floor = map.pieces[map.pieces.FloorIndex()];
    if (!floor.Hidden) {
        EXPECT_EQ(floor.Y + floor.Height, map.MapHeight);
        EXPECT_GE(floor.Width * 4, map.MapWidth * 3 - 4);
    }
    const std::int32_t h = map.MapHeight;
    const std::int32_t top = static_cast<std::int32_t>(moon.Hidden ? Fix(h * 0.05) : Fix(h * 0.15));
    const std::int32_t bottom = floor.Hidden ? h : static_cast<std::int32_t>(Fix(h * 0.9));

    for (std::int32_t i = 1; i <= map.layout.PieceCount; ++i) {
        const TerrainPiece& p = map.pieces[i];
        SCOPED_TRACE(i);
        if (!p.Hidden) {
            ASSERT_GE(p.Points.size(), 2u);
            EXPECT_EQ(p.Points.front().X, p.Points.back().X);
            EXPECT_EQ(p.Points.front().Y, p.Points.back().Y);
        } else {
            EXPECT_TRUE(p.Points.empty());
        }
        if (i >= map.pieces.MoonIndex()) continue;
        EXPECT_LE(moon.ExtentLeft, p.X);
        EXPECT_GE(moon.ExtentRight, p.X + p.Width);
        EXPECT_TRUE(p.LinkChance == 0.0 || (p.LinkChance >= 0.2 && p.LinkChance <= 0.8));
        if (p.Hidden) continue;
        EXPECT_GE(p.Y, top);
        EXPECT_LE(p.Y + p.Height, bottom);
        // Placed pieces never overlap another placed record's box (touching is allowed).
        for (std::int32_t k = 1; k <= map.layout.PieceCount; ++k) {
            const TerrainPiece& other = map.pieces[k];
            if (k != i && !other.Hidden) {
                EXPECT_FALSE(Intersects(p.Box(), other.Box())) << "with " << k;
            }
        }
    }
}

TEST(LayoutProperties, SeededLayoutsArePlacedAndClosedAndPaintWithoutErrors) {
    const int seeds = SeedCount();
    int floors = 0, moons = 0;
    for (int s = 0; s < seeds; ++s) {
        const auto seed = static_cast<std::uint32_t>(s * 2654435761u);
        MapState map;
        Random rng;
        PlanSeededMap(map, rng, seed);
        SCOPED_TRACE(seed);
        CheckLayout(map);
        // Painting costs far more than planning: every tenth map is painted.
        if (s % 10 == 0) {
            RecordingLog log;
            PaintPieces(map, rng, log);
            EXPECT_TRUE(log.Diagnostics().empty());
            for (std::int32_t i = 1; i <= map.layout.PieceCount; ++i) {
                const TerrainPiece& p = map.pieces[i];
                EXPECT_EQ(p.Shades.size(), p.Hidden ? 0u : p.ShadeCount());
            }
        }
        floors += !map.pieces[map.pieces.FloorIndex()].Hidden;
        moons += !map.pieces[map.pieces.MoonIndex()].Hidden;
        if (HasFatalFailure()) return;
    }
    // Sanity of the mix: most maps have a floor and a sky body.
    EXPECT_GT(floors, seeds / 2);
    EXPECT_GT(moons, seeds / 4);
}

TEST(GenerateTerrain, LogsFourStagesAndRepeatsItsMap) {
    const auto run = [](std::uint32_t seed, RecordingLog& log) {
        MapState map;
        Random rng;
        StartSeededMap(map, rng, seed);
        GenerateTerrain(map, rng, log);
        return std::make_pair(std::move(map), rng.Draws());
    };
    RecordingLog first, second;
    const auto [a, drawsA] = run(424242, first);
    const auto [b, drawsB] = run(424242, second);

    std::ostringstream expected;
    for (std::size_t k = 0; k < 4; ++k)
        expected << 'p' << k + 1 << ": " << a.stats.terrainMs[k] << "\r\n";
    EXPECT_EQ(first.Text(), expected.str());
    EXPECT_TRUE(first.Diagnostics().empty());

    EXPECT_EQ(drawsA, drawsB);
    EXPECT_EQ(a.layout.PieceCount, b.layout.PieceCount);
    EXPECT_TRUE(std::equal(a.canvas.Pixels().begin(), a.canvas.Pixels().end(),
                           b.canvas.Pixels().begin(), b.canvas.Pixels().end()));
    EXPECT_GT(CountLand(a.canvas), 0);
}

}  // namespace
}  // namespace orvane::test

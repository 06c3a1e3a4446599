// Layout parameters: the size loop, the thinning of large piece counts and the tables.
#include <gtest/gtest.h>

#include "terrain/layout/LayoutParameters.h"
#include "tests/support/ScriptedRandom.h"

namespace orvane {
namespace {

using test::ScriptedRandom;

// A 1800 x 1800 map whose margin and first size pass come out as 10 and 7/14/7/14:
// A = (14 + 7 + 20) * (7 + 14 + 20) = 1681, so the count is 0.8 * canvas area / 1681.
MapState SquareMap(std::int32_t canvasW, std::int32_t canvasH) {
    MapState map;
    map.MapWidth = 1800;
    map.MapHeight = 1800;
    map.canvas.CreateImage(canvasW, canvasH);
    return map;
}
const std::vector<float> kSmallestPass = {0.0f, 0.0f, 0.0f, 0.0f, 0.5f, 0.0f};

TEST(LayoutParameters, CountOf64IsKeptAnd65IsThinned) {
    // 410 x 328 gives exactly 64; the reduction draw would follow the size pass.
    ScriptedRandom rng64(kSmallestPass);
    MapState map64 = SquareMap(410, 328);
    DrawLayoutParameters(map64, rng64);
    EXPECT_EQ(map64.layout.PieceCount, 64);
    EXPECT_EQ(rng64.Used(), 6u + 3u);  // margin chance and the two halvings

    // 410 x 333 gives 65 -> CLng(39 + RndInt(26)) with the filler 0.5: 39 + 13.
    ScriptedRandom rng65(kSmallestPass);
    MapState map65 = SquareMap(410, 333);
    DrawLayoutParameters(map65, rng65);
    EXPECT_EQ(map65.layout.PieceCount, 52);
    EXPECT_EQ(rng65.Used(), 6u + 4u);
}

TEST(LayoutParameters, SizeLoopRedrawsUntilTwoPiecesFitButKeepsTheMargin) {
    // First pass: the largest sizes (count 0); second pass: the smallest.
    ScriptedRandom rng({0.0f, 0.0f, 0.999f, 0.999f, 0.999f, 0.999f, 0.0f, 0.0f, 0.5f, 0.0f});
    MapState map = SquareMap(410, 328);
    DrawLayoutParameters(map, rng);
    EXPECT_EQ(map.layout.PieceCount, 64);
    EXPECT_EQ(rng.Used(), 10u + 3u);
    // Margin chance 0.5 keeps the margin; halvings: CLng(3.5 + 7 + RndInt(4)) = CLng(12.5).
    EXPECT_EQ(map.layout.PieceMargin, 10);
    EXPECT_EQ(map.layout.PieceMinWidth, 12);
    EXPECT_EQ(map.layout.PieceWidthRange, 14);  // not recomputed after the halving
    EXPECT_EQ(map.layout.PieceHeightRange, 14);
}

TEST(LayoutParameters, ACanvasTooSmallForAnyPieceIsAnErrorNotAHang) {
    Random rng;
    rng.Reset();
    rng.Seed(5);
    MapState map = SquareMap(10, 10);
    EXPECT_THROW(DrawLayoutParameters(map, rng), RunError);
}

TEST(ColourTables, EntriesStayInTheirRanges) {
    Random rng;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        rng.Reset();
        rng.Seed(seed);
        ColourTables tables;
        const auto before = rng.Draws();
        FillColourTables(tables, rng);
        // f, then one value per table, three for the pale table and one for the vivid pick:
        // the four tables no stage reads are drawn too.
        EXPECT_EQ(rng.Draws() - before, 8u * 18u);
        for (std::size_t i = 0; i < 8; ++i) {
            EXPECT_EQ(RedOf(tables.GreenTable1[i]), 10);
            EXPECT_LE(GreenOf(tables.GreenTable1[i]), 150);
            EXPECT_LE(GreenOf(tables.GreenTable2[i]), 170);
            const Colour v = tables.VividTable[i];
            EXPECT_TRUE(BlueOf(v) == 255 || RedOf(v) == 255);
        }
    }
}

}  // namespace
}  // namespace orvane

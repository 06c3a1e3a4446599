// The colour limit (draws, the empty corner) and the enlargement to multiples of 8.
#include <gtest/gtest.h>

#include <set>

#include "finish/ColourLimit.h"
#include "png/PaletteExport.h"
#include "tests/support/LandPicture.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/TestSupport.h"

namespace orvane {
namespace {

using test::ScriptedRandom;

// The colour limit with its pixel work done at once, as a map whose corner is land makes it.
void LimitPalette(MapState& map, Random& rng, bool effectsFlag, bool rareFlag) {
    const ColourLimitPlan plan = LimitPaletteLater(map, rng, effectsFlag, rareFlag);
    if (plan.pending) ApplyColourLimit(map.canvas, plan, map.stats.paletteSizes);
}

MapState PictureMap(int w, int h) {
    MapState map;
    test::DrawLandPicture(map.canvas, w, h, 5);
    return map;
}

TEST(LimitPalette, DrawsOnlyWithoutTheEffectsFlag) {
    {
        MapState map = PictureMap(200, 120);
        ScriptedRandom rng;
        LimitPalette(map, rng, true, false);
        EXPECT_EQ(rng.Used(), 0u);
        ASSERT_GE(map.stats.paletteSizes.size(), 2u);
        EXPECT_LE(map.stats.paletteSizes.back(), 64);
    }
    {
        MapState map = PictureMap(200, 120);
        ScriptedRandom rng({0.16f});  // a tie takes the row: 16 colours
        LimitPalette(map, rng, false, true);
        EXPECT_EQ(rng.Used(), 1u);
        EXPECT_LE(map.stats.paletteSizes.front(), 16);
    }
    {
        // Walk-for-weapons maps redraw until the count is at least 64: 16, 32, then 128.
        MapState map = PictureMap(200, 120);
        map.WalkForWeapons = true;
        ScriptedRandom rng({0.1f, 0.3f, 0.6f});
        LimitPalette(map, rng, false, false);
        EXPECT_EQ(rng.Used(), 3u);
        EXPECT_GT(map.stats.paletteSizes.front(), 64);
        EXPECT_LE(map.stats.paletteSizes.front(), 128);
    }
}

TEST(LimitPalette, LeavesAtMost64ColoursAndAnEmptyCorner) {
    for (const bool landInCorner : {false, true}) {
        MapState map = PictureMap(240, 140);
        const Colour corner = RGB(200, 40, 90);
        if (landInCorner) {
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 6; ++x) map.canvas.SetPixel(x, y, corner);
            map.canvas.SetPixel(120, 70, corner);  // the same colour elsewhere goes too
        }
        const auto landBefore = static_cast<std::size_t>(test::CountLand(map.canvas));
        ScriptedRandom rng;
        LimitPalette(map, rng, true, false);
        EXPECT_EQ(map.canvas.GetPixel(1, 1), 0u);
        EXPECT_LE(map.canvas.CountColours(), 64);
        EXPECT_EQ(map.stats.paletteSizes.size(), landInCorner ? 4u : 2u);
        EXPECT_EQ(map.stats.paletteSizes.back(), map.canvas.CountColours());
        const auto landAfter = static_cast<std::size_t>(test::CountLand(map.canvas));
        // Only the corner's colour (as reduced) may turn into empty space.
        if (landInCorner) {
            EXPECT_GE(landBefore - landAfter, 37u);
            EXPECT_EQ(map.canvas.GetPixel(120, 70), 0u);
        } else {
            EXPECT_EQ(landBefore, landAfter);
        }
    }
}

TEST(LimitPalette, OnlyColoursWithinOneStepOfTheCornerTurnEmpty) {
    // Few colours, so no reduction moves them: the colour of pixel (1, 1) and one a step from
    // it in every channel become empty; two steps away, or its neighbours' colour, stays land.
    MapState map;
    map.canvas.CreateImage(100, 60, RGB(20, 120, 40));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) map.canvas.SetPixel(x, y, RGB(200, 40, 90));
    map.canvas.SetPixel(2, 1, RGB(60, 60, 60));
    map.canvas.SetPixel(1, 2, RGB(60, 60, 60));
    map.canvas.SetPixel(50, 30, RGB(201, 39, 91));
    map.canvas.SetPixel(52, 30, RGB(202, 42, 88));
    ScriptedRandom rng;
    LimitPalette(map, rng, true, false);
    EXPECT_EQ(map.canvas.GetPixel(1, 1), 0u);
    EXPECT_EQ(map.canvas.GetPixel(50, 30), 0u);
    EXPECT_EQ(map.canvas.GetPixel(52, 30), RGB(202, 42, 88));
    EXPECT_EQ(map.canvas.GetPixel(2, 1), RGB(60, 60, 60));
    EXPECT_EQ(map.canvas.GetPixel(70, 30), RGB(20, 120, 40));
}

// The pixel work may wait for another thread: the map, its palette sizes and the draws must
// come out as when it is all done at once, whether or not the corner must be cleared first.
TEST(LimitPalette, LeftForLaterGivesTheSameMap) {
    for (const bool landInCorner : {false, true})
        for (const bool effects : {false, true})
            for (const bool rare : {false, true}) {
                MapState now = PictureMap(240, 140);
                if (landInCorner) now.canvas.SetPixel(1, 1, RGB(200, 40, 90));
                MapState later = now;
                Random a, b;
                a.Seed(5);
                b.Seed(5);
                LimitPalette(now, a, effects, rare);
                const ColourLimitPlan plan = LimitPaletteLater(later, b, effects, rare);
                EXPECT_EQ(plan.pending, !landInCorner);
                EXPECT_EQ(a.Rnd(), b.Rnd());
                ColourMap colours;
                if (plan.pending)
                    ApplyColourLimit(later.canvas, plan, later.stats.paletteSizes, &colours);
                EXPECT_EQ(later.stats.paletteSizes, now.stats.paletteSizes);
                const auto laterPicture = IndexedPicture::FromColours(
                    later.canvas, 0, true, colours.Size() > 0 ? &colours : nullptr);
                EXPECT_TRUE(ExportPng(laterPicture) ==
                            ExportPng(IndexedPicture::FromColours(now.canvas)))
                    << landInCorner << effects << rare;
            }
}

TEST(ScaledSide, RoundsHalfToEvenThenDownToMultiplesOf8) {
    const struct {
        int w, h, tenths, nw, nh;
    } cases[] = {
        {848, 480, 13, 1096, 624},     // 1102.4 -> 1102 -> 1096; 624 stays
        {3200, 1811, 24, 7680, 4344},  // 4346.4 -> 4346 -> 4344
        {1000, 565, 15, 1496, 848},    // 847.5 rounds to the even 848
        {5, 3, 13, 8, 8},              // a sliver keeps a size
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScaledSide(c.tenths, c.w), c.nw) << c.w;
        EXPECT_EQ(ScaledSide(c.tenths, c.h), c.nh) << c.h;
    }
}

}  // namespace
}  // namespace orvane

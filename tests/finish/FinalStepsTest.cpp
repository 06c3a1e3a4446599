// The last steps are planned on the generator and carried out later, on the save thread: the
// map must come out exactly as when they ran in line, and the generator must be left where it
// would have been, or seeds would stop giving their maps.
#include <gtest/gtest.h>

#include <algorithm>

#include "finish/ColourLimit.h"
#include "finish/FinalSteps.h"
#include "png/PaletteExport.h"
#include "tests/support/SamplePicture.h"

namespace orvane {
namespace {

// The steps as they ran in line, one after the other.
IndexedPicture InLine(IndexedPicture picture, std::int32_t scaleTenths, MapStats& stats,
                      Random& rng, float p) {
    picture.CropEmpty();
    ScalePicture(picture, scaleTenths);
    DrawPatterns(picture, stats, rng, p);
    const std::int32_t w = std::max(picture.GetWidth(), 640);
    const std::int32_t h = std::max(picture.GetHeight(), 32);
    if (w != picture.GetWidth() || h != picture.GetHeight())
        picture.ResizeCanvas(w, h, Anchor::BottomCentre);
    return picture;
}

TEST(FinalSteps, PlannedThenAppliedGivesTheInLineMapAndDraws) {
    Canvas canvas = test::SampleMap(300, 170, 3);
    canvas.ReduceColours(64);
    // A chance of 1 takes every pattern, the jittered holes' many draws included; 0.5 a mix.
    for (const float p : {1.0f, 0.5f, 0.0f}) {
        for (const std::int32_t scale : {10, 17, 24}) {
            Random direct;
            direct.Seed(77);
            Random planned = direct;
            MapStats directStats;
            MapStats plannedStats;
            const IndexedPicture expected =
                InLine(IndexedPicture::FromColours(canvas), scale, directStats, direct, p);
            FinalSteps steps = PlanFinalSteps(canvas, scale, plannedStats, planned, p);
            EXPECT_EQ(steps.width, expected.GetWidth());
            EXPECT_EQ(steps.height, expected.GetHeight());
            EXPECT_EQ(plannedStats.patterns, directStats.patterns);
            EXPECT_EQ(planned.Draws(), direct.Draws());
            EXPECT_EQ(planned.Rnd(), direct.Rnd()) << "the generator moved on differently";
            const IndexedPicture picture =
                ApplyFinalSteps(PaletteIndices(canvas, steps, plannedStats.paletteSizes), steps);
            EXPECT_TRUE(ExportPng(picture) == ExportPng(expected)) << p << " " << scale;
        }
    }
}

TEST(FinalSteps, ASliverOfLandStillMakesAPictureOfTheMinimumSize) {
    Canvas canvas;
    canvas.CreateImage(200, 50, 0);
    canvas.SetPixel(120, 30, RGB(90, 60, 20));
    Random rng;
    MapStats stats;
    FinalSteps steps = PlanFinalSteps(canvas, 15, stats, rng, 0.0f);
    const IndexedPicture picture =
        ApplyFinalSteps(PaletteIndices(canvas, steps, stats.paletteSizes), steps);
    EXPECT_EQ(picture.GetWidth(), 640);
    EXPECT_EQ(picture.GetHeight(), 32);
    EXPECT_EQ(std::count(picture.Pixels().begin(), picture.Pixels().end(), 0),
              640 * 32 - 64);  // the one land pixel, enlarged to 8 x 8
}

}  // namespace
}  // namespace orvane

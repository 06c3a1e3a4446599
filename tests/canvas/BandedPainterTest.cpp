// Two threads painting alternate runs of rows must leave the picture one thread paints.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "canvas/BandedPainter.h"
#include "canvas/Canvas.h"
#include "tests/support/SamplePicture.h"

namespace orvane {
namespace {

TEST(BandedPainter, TwoThreadsPaintThePictureOfOne) {
    constexpr int kWidth = 300, kHeight = 700;  // several runs of rows for each thread
    Canvas one = test::BlankCanvas(kWidth, kHeight, 0, 0);
    Canvas two = test::BlankCanvas(kWidth, kHeight, 0, 0);
    BandedPainter painter(two, true);
    std::mt19937 rng(77);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    for (int shape = 0; shape < 400; ++shape) {
        // Outlines of short steps as the pieces have, now and then a long edge across many
        // runs, with points past every edge of the picture.
        const int points = pick(1, 40);
        int x = pick(-60, kWidth + 60), y = pick(-60, kHeight + 60);
        for (Canvas* c : {&one, &two}) c->ClearPolyPoints();
        for (int i = 0; i < points; ++i) {
            const bool far = pick(0, 9) == 0;
            x += far ? pick(-200, 200) : pick(-6, 6);
            y += far ? pick(-400, 400) : pick(-6, 6);
            for (Canvas* c : {&one, &two}) c->AddPolyPoint(x, y);
        }
        const auto pen = static_cast<Colour>(pick(1, 0xFFFFFF));
        const auto fill = static_cast<Colour>(pick(1, 0xFFFFFF));
        const int width = pick(0, 9);
        for (Canvas* c : {&one, &two}) {
            c->SetPenColour(pen);
            c->SetFillColour(fill);
            c->SetPenWidth(width);
        }
        const bool filled = pick(0, 2) == 0;
        filled ? one.FillPolygon() : one.DrawPolyline();
        filled ? painter.FillPolygon() : painter.DrawPolyline();

        if (shape % 97 == 0) {
            // After Finish the canvas is complete and may be drawn on directly.
            painter.Finish();
            ASSERT_TRUE(std::ranges::equal(one.Pixels(), two.Pixels())) << "shape " << shape;
            for (Canvas* c : {&one, &two}) c->FillPolygon();
        }
    }
    painter.Finish();
    for (int yy = 0; yy < kHeight; ++yy)
        for (int xx = 0; xx < kWidth; ++xx)
            ASSERT_EQ(one.GetPixel(xx, yy), two.GetPixel(xx, yy)) << xx << "," << yy;
}

}  // namespace
}  // namespace orvane

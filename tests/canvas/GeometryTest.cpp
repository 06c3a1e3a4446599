// Whole-picture geometry and colour replacement.
#include <gtest/gtest.h>

#include <set>

#include "canvas/Canvas.h"
#include "core/RunError.h"
#include "tests/support/TestSupport.h"

namespace orvane {
namespace {

// A picture whose every pixel is distinct and tells where it came from.
Canvas Coded(int w, int h) {
    Canvas c;
    c.CreateImage(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) c.SetPixel(x, y, RGB(x + 1, y + 1, 77));
    return c;
}

TEST(Resize, NearestNeighbourKeepsColoursAndCorners) {
    const Canvas src = Coded(7, 5);
    const std::set<Colour> before(src.Pixels().begin(), src.Pixels().end());
    // Enlargements run in place from the last pixel back; wider but lower does not.
    for (auto [w, h] : {std::pair{16, 11}, {3, 2}, {7, 5}, {1, 1}, {21, 5}, {17, 12}, {16, 3}}) {
        Canvas c = src;
        c.ResizeImage(w, h);
        ASSERT_EQ(c.GetWidth(), w);
        ASSERT_EQ(c.GetHeight(), h);
        for (Colour p : c.Pixels()) EXPECT_TRUE(before.count(p)) << p;
        // Each target pixel shows the source pixel under its centre.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int sx = (2 * x + 1) * 7 / (2 * w), sy = (2 * y + 1) * 5 / (2 * h);
                ASSERT_EQ(c.GetPixel(x, y), src.GetPixel(sx, sy)) << w << "x" << h;
            }
    }
    // An integer enlargement repeats every pixel in a block.
    Canvas twice = src;
    twice.ResizeImage(14, 15);
    EXPECT_EQ(twice.GetPixel(13, 14), src.GetPixel(6, 4));
    EXPECT_EQ(twice.GetPixel(2, 3), src.GetPixel(1, 1));

    Canvas bad = src;
    EXPECT_THROW(bad.ResizeImage(-1, 4), RunError);
    EXPECT_EQ(bad.GetWidth(), 7);  // unchanged after a refused size
}

TEST(Resize, CanvasAnchorsOnTheThreeByThreeGrid) {
    const Canvas src = Coded(4, 2);
    const int offsetX[3] = {0, 3, 6}, offsetY[3] = {0, 2, 4};
    for (int position = 0; position < 9; ++position) {
        Canvas c = src;
        c.ResizeCanvas(10, 6, static_cast<Anchor>(position), RGB(5, 5, 5));
        ASSERT_EQ(c.GetWidth(), 10);
        const int ox = offsetX[position % 3], oy = offsetY[position / 3];
        int fresh = 0;
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 10; ++x) {
                const bool old = x >= ox && x < ox + 4 && y >= oy && y < oy + 2;
                EXPECT_EQ(c.GetPixel(x, y), old ? src.GetPixel(x - ox, y - oy) : RGB(5, 5, 5))
                    << position;
                fresh += !old;
            }
        EXPECT_EQ(fresh, 60 - 8);
    }
    // Shrinking cuts around the same anchor.
    Canvas c = Coded(9, 9);
    c.ResizeCanvas(3, 3, Anchor::BottomCentre, 0);
    EXPECT_EQ(c.GetPixel(0, 0), RGB(4, 7, 77));
    EXPECT_EQ(c.GetPixel(2, 2), RGB(6, 9, 77));
    EXPECT_THROW(c.ResizeCanvas(3, 3, static_cast<Anchor>(9), 0), RunError);
}

TEST(Resize, TransformCropsToTheLand) {
    Canvas c;
    c.CreateImage(20, 15);
    c.SetPixel(4, 3, RGB(1, 0, 0));
    c.SetPixel(12, 9, RGB(0, 1, 0));
    c.SetPixel(7, 11, RGB(0, 0, 1));
    c.TransformImage(0, 0);
    EXPECT_EQ(c.GetWidth(), 9);
    EXPECT_EQ(c.GetHeight(), 9);
    EXPECT_EQ(c.GetPixel(0, 0), RGB(1, 0, 0));
    EXPECT_EQ(c.GetPixel(8, 6), RGB(0, 1, 0));
    EXPECT_EQ(c.GetPixel(3, 8), RGB(0, 0, 1));

    // Land touching every edge: nothing to crop.
    Canvas full = Coded(6, 4);
    full.TransformImage(0, 0);
    EXPECT_EQ(full.GetWidth(), 6);
    EXPECT_EQ(full.GetHeight(), 4);

    // All empty: one empty pixel remains rather than an invalid picture.
    Canvas empty;
    empty.CreateImage(30, 20);
    empty.TransformImage(0, 0);
    EXPECT_EQ(empty.GetWidth(), 1);
    EXPECT_EQ(empty.GetHeight(), 1);
    EXPECT_EQ(empty.GetPixel(0, 0), 0u);
    EXPECT_NO_THROW(test::PalettePng(empty));
}

TEST(Colours, ReplaceMatchesEachChannelWithinTolerance) {
    Canvas c;
    c.CreateImage(8, 1);
    const Colour from = RGB(100, 150, 200);
    const Colour pixels[8] = {from,
                              RGB(103, 147, 203),   // every channel 3 away
                              RGB(104, 150, 200),   // red 4 away
                              RGB(100, 150, 196),   // blue 4 away
                              RGB(97, 153, 197),    // within
                              0,                    //
                              RGB(100, 150, 200),   // exact
                              RGB(200, 150, 100)};  // channels swapped
    for (int i = 0; i < 8; ++i) c.SetPixel(i, 0, pixels[i]);
    Canvas strict = c;
    c.ReplaceColour(from, RGB(1, 2, 3), 3);
    const bool replaced[8] = {true, true, false, false, true, false, true, false};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(c.GetPixel(i, 0), replaced[i] ? RGB(1, 2, 3) : pixels[i]) << i;
    strict.ReplaceColour(from, RGB(1, 2, 3), 0);
    EXPECT_EQ(strict.GetPixel(1, 0), pixels[1]);
    EXPECT_EQ(strict.GetPixel(6, 0), RGB(1, 2, 3));
    EXPECT_EQ(strict.CountColours(), 7);
}

TEST(Colours, CountSeesEveryValueOnce) {
    // Long runs, scattered repeats and raw values no RGB() call makes (all bits set).
    Canvas c;
    c.CreateImage(300, 200);
    for (int i = 0; i < 5000; ++i) {
        const int k = i % 1000;  // each colour five times, far apart
        c.SetPixel(i % 300, i / 300, RGB(k % 200, k / 200, 3));
    }
    c.SetPixel(5, 5, 0xFFFFFFFFu);
    c.SetPixel(6, 5, 0xFF000000u);
    EXPECT_EQ(c.CountColours(), 1000 + 1 + 2);
    Canvas empty;
    EXPECT_EQ(empty.CountColours(), 0);
}

}  // namespace
}  // namespace orvane

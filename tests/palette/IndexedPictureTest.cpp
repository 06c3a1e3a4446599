// The finished map continues as palette indices; every step there must give exactly the file
// the full-colour canvas gives, or seeds would stop reproducing their maps.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <vector>

#include "core/RunError.h"
#include "palette/ColourMap.h"
#include "palette/ColourReduction.h"
#include "palette/IndexedPicture.h"
#include "png/PaletteExport.h"
#include "raster/Geometry.h"
#include "tests/support/SamplePicture.h"
#include "tests/support/TestSupport.h"

namespace orvane {
namespace {

// The same cut on both pictures.
template <class Picture>
void Cut(Picture& p, std::int32_t penWidth, std::int32_t step) {
    p.SetPenColour(0);
    p.SetPenWidth(penWidth);
    for (std::int32_t y = 0; y <= p.GetHeight(); y += step) p.DrawLine(0, y, p.GetWidth(), y);
    p.DrawLine(-5, 3, p.GetWidth() + 7, p.GetHeight() / 2);
    for (std::int32_t x = 0; x <= p.GetWidth(); x += step * 3) p.DrawPoint(x, x / 2);
}

TEST(IndexedPicture, FinishingStepsGiveTheCanvasFileByteForByte) {
    Canvas sample = test::SampleMap(320, 180, 5);
    sample.ReduceColours(64);
    for (const std::int32_t penWidth : {1, 2, 5}) {
        Canvas canvas = sample;
        // With room kept for the enlargement, as the run makes it.
        IndexedPicture picture = IndexedPicture::FromColours(canvas, 320 * 180 * 4);
        canvas.TransformImage(0, 0);
        picture.CropEmpty();
        canvas.ResizeImage(canvas.GetWidth() * 17 / 10, canvas.GetHeight() * 23 / 10);
        picture.ResizeImage(picture.GetWidth() * 17 / 10, picture.GetHeight() * 23 / 10);
        Cut(canvas, penWidth, 9);
        Cut(picture, penWidth, 9);
        canvas.ResizeCanvas(canvas.GetWidth() + 31, canvas.GetHeight() + 8, Anchor::BottomCentre,
                            0);
        picture.ResizeCanvas(picture.GetWidth() + 31, picture.GetHeight() + 8,
                             Anchor::BottomCentre);
        EXPECT_TRUE(test::PalettePng(canvas) == ExportPng(picture)) << "pen " << penWidth;
    }
}

TEST(IndexedPicture, ColoursCutAwayLeaveThePaletteAndBlackStaysFirst) {
    Canvas canvas;
    canvas.CreateImage(40, 20, RGB(200, 10, 10));
    for (int x = 0; x < 40; ++x) canvas.SetPixel(x, 5, RGB(1, 2, 3));
    canvas.SetPixel(3, 9, RGB(250, 250, 250));
    IndexedPicture picture = IndexedPicture::FromColours(canvas);
    ASSERT_EQ(picture.Palette().size(), 4u);  // black is always entry 0
    EXPECT_EQ(picture.Palette()[0], 0u);
    picture.SetPenWidth(1);
    picture.DrawLine(0, 5, 40, 5);  // the only row of RGB(1, 2, 3)
    canvas.SetPenColour(0);
    canvas.DrawLine(0, 5, 40, 5);
    EXPECT_TRUE(ExportPng(picture) == test::PalettePng(canvas));
    EXPECT_EQ(test::ColourAt(picture, 3, 9), RGB(250, 250, 250));
    EXPECT_THROW(picture.SetPenColour(RGB(1, 1, 1)), RunError);
}

// A picture fresh from the canvas holds every colour of its palette, so its export skips the
// search for colours cut away; every step that may remove the last pixel of one must bring the
// search back, and steps that cannot must keep the file the canvas gives.
TEST(IndexedPicture, StepsThatMayRemoveAColourDropItFromTheFile) {
    Canvas base;
    base.CreateImage(40, 20, RGB(200, 10, 10));
    base.SetPixel(0, 0, RGB(1, 2, 3));  // the only pixel of its colour
    base.SetPenColour(0);
    using Step = std::function<void(Canvas&, IndexedPicture&)>;
    const Step steps[] = {
        [](Canvas& c, IndexedPicture& p) { c.ResizeImage(20, 10), p.ResizeImage(20, 10); },
        [](Canvas& c, IndexedPicture& p) {
            c.ResizeCanvas(30, 20, Anchor::BottomRight, 0);
            p.ResizeCanvas(30, 20, Anchor::BottomRight);
        },
        [](Canvas& c, IndexedPicture& p) { c.DrawPoint(0, 0), p.DrawPoint(0, 0); },
        [](Canvas& c, IndexedPicture& p) { c.DrawLine(0, 0, 5, 0), p.DrawLine(0, 0, 5, 0); },
        // These keep every colour.
        [](Canvas& c, IndexedPicture& p) { c.ResizeImage(97, 41), p.ResizeImage(97, 41); },
        [](Canvas& c, IndexedPicture& p) {
            c.ResizeCanvas(50, 30, Anchor::BottomCentre, 0);
            p.ResizeCanvas(50, 30, Anchor::BottomCentre);
        },
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        Canvas canvas = base;
        IndexedPicture picture = IndexedPicture::FromColours(canvas);
        steps[i](canvas, picture);
        EXPECT_TRUE(ExportPng(picture) == test::PalettePng(canvas)) << "step " << i;
    }
    IndexedPicture cropped = IndexedPicture::FromColours(base);
    cropped.Crop(Rect{1, 0, 40, 20});
    EXPECT_TRUE(ExportPng(cropped) ==
                ExportPng(IndexedPicture::FromColours(base, Rect{1, 0, 40, 20}, 0, true, nullptr)));
}

// The crop box is found 32 bytes at a time; land in the last pixels of a row, or in rows
// that are not a multiple of eight wide, must still be kept.
TEST(IndexedPicture, TheCropKeepsLandAtEveryEdgeOfOddWidths) {
    for (const int w : {1, 7, 8, 9, 17, 33, 64, 67, 150}) {
        for (const int x : {0, w / 2, w - 1}) {
            Canvas canvas;
            canvas.CreateImage(w, 5, 0);
            canvas.SetPixel(x, 2, RGB(9, 9, 9));
            canvas.SetPixel(w - 1 - x, 3, RGB(9, 9, 9));
            IndexedPicture picture = IndexedPicture::FromColours(canvas);
            const Rect box{std::min(x, w - 1 - x), 2, std::max(x, w - 1 - x) + 1, 4};
            EXPECT_EQ(picture.ContentBox(), box) << w << " " << x;
            EXPECT_EQ(geometry::ContentBox(canvas.Pixels(), w, 5), box) << w << " " << x;

            // Rows between the first and the last with land may widen the box either way.
            canvas.SetPixel(w / 2, 0, RGB(9, 9, 9));
            canvas.SetPixel(w / 2, 4, RGB(9, 9, 9));
            const Rect wider{std::min(box.Left, w / 2), 0, std::max(box.Right, w / 2 + 1), 5};
            EXPECT_EQ(geometry::ContentBox(canvas.Pixels(), w, 5), wider) << w << " " << x;
        }
    }
}

// Large pictures are indexed and counted in two halves at once, and a known colour mapping lets
// the palette be fixed before the pass: neither may change a palette entry or a pixel.
TEST(IndexedPicture, SecondThreadAndKnownMappingGiveTheSamePicture) {
    Canvas canvas = test::SampleMap(1400, 800, 3);  // over a million pixels: split
    canvas.ReduceColours(120);
    canvas.SetPixel(700, 790, RGB(1, 2, 3));  // colours only one half holds
    canvas.SetPixel(10, 10, RGB(4, 5, 6));
    canvas.SetPixel(0, 0, RGB(7, 8, 9));  // outside the box
    const Rect box{1, 1, 1400, 799};
    const auto same = [](const IndexedPicture& a, const IndexedPicture& b) {
        return std::ranges::equal(a.Palette(), b.Palette()) &&
               std::ranges::equal(a.Pixels(), b.Pixels());
    };
    // Colours numbered as met: the lower half's new ones follow the upper half's.
    EXPECT_TRUE(same(IndexedPicture::FromColours(canvas, box, 0, false, nullptr, 2),
                     IndexedPicture::FromColours(canvas, box, 0, false, nullptr, 1)));

    bool hasBlack = false, hasBlackSplit = false;
    const std::vector<HistogramEntry> land = LandHistogram(canvas.Pixels(), hasBlack);
    const std::vector<HistogramEntry> split = LandHistogram(canvas.Pixels(), hasBlackSplit, 2);
    EXPECT_EQ(hasBlack, hasBlackSplit);
    EXPECT_TRUE(std::ranges::equal(land, split, [](const auto& a, const auto& b) {
        return a.colour == b.colour && a.count == b.count;
    }));

    // A mapping that merges colours and holds some the box lacks (they must not be listed).
    ColourMap mapping;
    Canvas mapped = canvas;
    for (const HistogramEntry& e : land) mapping.At(e.colour) = (e.colour & 0xE0E0E0) | 0x010101;
    mapping.At(RGB(99, 99, 99)) = RGB(98, 98, 98);
    for (Colour& p : mapped.Pixels())
        if (p != 0) p = *mapping.Find(p);
    const IndexedPicture expected = IndexedPicture::FromColours(mapped, box, 0, true, nullptr, 1);
    for (const unsigned threads : {1u, 2u})
        EXPECT_TRUE(
            same(IndexedPicture::FromColours(canvas, box, 0, true, &mapping, threads), expected))
            << threads << " threads";

    // More colours mapped to than a palette holds: fine while the box meets few enough.
    for (int i = 0; i < 300; ++i) mapping.At(RGB(i % 256, i / 256 + 1, 77)) = RGB(i % 256, 3, 77);
    EXPECT_TRUE(same(IndexedPicture::FromColours(canvas, box, 0, true, &mapping, 2), expected));
}

TEST(IndexedPicture, MoreThan256ColoursIsAnIndexingError) {
    // Large enough for two threads, so both ways of indexing say what failed.
    Canvas canvas;
    canvas.CreateImage(1200, 1000);
    for (int x = 0; x < 300; ++x) canvas.SetPixel(x, 999, RGB(x % 256, x / 256 + 1, 7));
    for (unsigned threads : {1u, 2u}) {
        try {
            IndexedPicture::FromColours(canvas, Rect{0, 0, 1200, 1000}, 0, true, nullptr, threads);
            ADD_FAILURE() << "no error with " << threads << " threads";
        } catch (const RunError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Indexing the picture failed", 0), 0u)
                << e.what();
        }
    }
}

}  // namespace
}  // namespace orvane

// Large pictures come straight from the system, their pages made ready on a helper thread when
// they come in small pages: a new picture must read as empty however other buffers come and go
// meanwhile, and drawing on it must not race that work.
#include <gtest/gtest.h>

#include <algorithm>

#include "canvas/Canvas.h"
#include "pixels/PixelAllocator.h"

namespace orvane {
namespace {

TEST(PictureBuffers, NewPicturesReadEmptyWhileOthersComeAndGo) {
    for (int round = 0; round < 8; ++round) {
        Canvas kept;
        kept.CreateImage(2000 + round * 37, 700);  // over 2 MiB: from the system
        {
            Canvas brief;  // given back at once, most likely while its pages are being made
            brief.CreateImage(1500, 900 + round);
            brief.SetPixel(5, 5, RGB(1, 2, 3));
        }
        const auto pixels = kept.Pixels();
        ASSERT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](Colour c) { return c == 0; }))
            << "round " << round;
        std::fill(pixels.begin(), pixels.end(), RGB(9, 8, 7));
        EXPECT_EQ(kept.GetPixel(kept.GetWidth() - 1, 699), RGB(9, 8, 7));
    }
}

// Below 2 MiB a new buffer is a heap block, most likely the one just freed with its old bytes:
// only large ones may skip writing zero.
TEST(PictureBuffers, FillingGivesTheValueWhateverTheBufferHeldBefore) {
    for (const std::size_t count : {std::size_t{1000}, std::size_t{500000}, std::size_t{700000}}) {
        {
            UnzeroedBuffer<Colour> dirty;
            FillPixels(dirty, count, RGB(200, 100, 50));
        }
        UnzeroedBuffer<Colour> fresh;
        FillPixels(fresh, count, Colour{0});
        EXPECT_TRUE(std::all_of(fresh.begin(), fresh.end(), [](Colour c) { return c == 0; }))
            << count << " pixels, new";
        FillPixels(fresh, count, RGB(1, 2, 3));
        FillPixels(fresh, count / 2, Colour{0});  // reused: its old pixels are still there
        EXPECT_TRUE(std::all_of(fresh.begin(), fresh.end(), [](Colour c) { return c == 0; }))
            << count << " pixels, reused";
    }
}

}  // namespace
}  // namespace orvane

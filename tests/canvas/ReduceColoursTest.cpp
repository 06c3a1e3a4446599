// Colour reduction: the invariants the game depends on, the count, and repeatability.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "canvas/Canvas.h"
#include "core/RunError.h"
#include "palette/IndexedPicture.h"
#include "tests/support/SamplePicture.h"
#include "tests/support/TestSupport.h"

namespace orvane {
namespace {

// Black stays exactly where it was and nothing else becomes black.
// Every palette method, with and without dithering.
constexpr ReduceOptions kAllModes[] = {{false, false}, {true, false}, {false, true}, {true, true}};

std::string Name(ReduceOptions mode) {
    return std::string(mode.medianCut ? "median-cut" : "quantizer") +
           (mode.dither ? "-dither" : "");
}

void ExpectSameEmptySpace(const Canvas& before, const Canvas& after) {
    ASSERT_EQ(before.Pixels().size(), after.Pixels().size());
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < before.Pixels().size(); ++i)
        wrong += (before.Pixels()[i] == 0) != (after.Pixels()[i] == 0);
    EXPECT_EQ(wrong, 0u);
}

TEST(ReduceColours, KeepsEmptySpaceAndRespectsTheCountForEveryMode) {
    const Canvas original = test::SampleMap(640, 360, 7);
    const int distinct = original.CountColours();
    ASSERT_GT(distinct, 1000);
    for (int count : {2, 3, 16, 64, 255, 256}) {
        for (const ReduceOptions mode : kAllModes) {
            Canvas c = original;
            // The palette sizes a map reports come from this count.
            const int reported = c.ReduceColoursCounted(count, mode);
            ExpectSameEmptySpace(original, c);
            EXPECT_EQ(reported, c.CountColours()) << count << " " << Name(mode);
            EXPECT_LE(c.CountColours(), count) << count << " " << Name(mode);
            EXPECT_GE(c.CountColours(), std::min(count, 2)) << count;
            if (count == 64 && !mode.dither)
                test::SaveForReview(c, "reduce-64-" + Name(mode) + ".png");
            if (count == 16) test::SaveForReview(c, "reduce-16-" + Name(mode) + ".png");
        }
    }
    test::SaveForReview(original, "reduce-original.png");
}

TEST(ReduceColours, PicturesWithinTheCountAreUntouched) {
    const Canvas original = test::SampleMap(200, 120, 3);
    const int distinct = original.CountColours();
    for (const bool dither : {false, true}) {
        Canvas c = original;
        c.ReduceColours(distinct, {.dither = dither});
        EXPECT_TRUE(std::equal(c.Pixels().begin(), c.Pixels().end(), original.Pixels().begin()));
        c.ReduceColours(0, {.medianCut = true, .dither = dither});  // back to full colour
        EXPECT_TRUE(std::equal(c.Pixels().begin(), c.Pixels().end(), original.Pixels().begin()));
    }
    // One more colour than allowed does change it, to exactly the allowance at most.
    Canvas c = original;
    c.ReduceColours(distinct - 1);
    EXPECT_LE(c.CountColours(), distinct - 1);
    EXPECT_THROW(c.ReduceColours(-1), RunError);
}

TEST(ReduceColours, TooFewSlotsStillKeepLandApart) {
    // One colour allowed with black present: land cannot become black, so it becomes one
    // colour of its own; near-black land stays non-black under every method.
    Canvas c;
    c.CreateImage(30, 10);
    for (int x = 0; x < 30; ++x) {
        c.SetPixel(x, 0, RGB(x % 3, (x + 1) % 2, 0));  // some black, some barely not
        c.SetPixel(x, 5, RGB(200, 8 * x, 30));
    }
    const Canvas original = c;
    for (int count : {1, 2, 3}) {
        for (const ReduceOptions mode : kAllModes) {
            Canvas k = original;
            k.ReduceColours(count, mode);
            ExpectSameEmptySpace(original, k);
            EXPECT_LE(k.CountColours(), std::max(count, 2));
        }
    }
    // No black at all: the count holds exactly and 0 never appears.
    Canvas land;
    land.CreateImage(16, 16, RGB(9, 9, 9));
    for (int i = 0; i < 16; ++i) land.SetPixel(i, i, RGB(1 + i, 0, 0));
    land.ReduceColours(1);
    EXPECT_EQ(land.CountColours(), 1);
    EXPECT_NE(land.GetPixel(3, 3), 0u);
}

TEST(ReduceColours, SameInputSameOutput) {
    const Canvas original = test::SampleMap(480, 270, 11);
    for (const ReduceOptions mode : kAllModes) {
        Canvas x = original, y = original;
        x.ReduceColours(48, mode);
        y.ReduceColours(48, mode);
        EXPECT_TRUE(std::equal(x.Pixels().begin(), x.Pixels().end(), y.Pixels().begin()));
    }
}

TEST(ReduceColours, ThenLimitIsTheTwoReductionsInARow) {
    // The colour limit's two steps share one colour census; the map must come out as if each
    // step had counted the picture itself, and report the same palette sizes.
    const Canvas original = test::SampleMap(480, 270, 11);
    for (const int count : {0, 16, 128, 256})
        for (const ReduceOptions mode : kAllModes) {
            Canvas apart = original, together = original;
            const int first = apart.ReduceColoursCounted(count, mode);
            const int second = first <= 64 ? first : apart.ReduceColoursCounted(64);
            const std::array<int, 2> both = together.ReduceColoursThenLimit(count, mode, 64);
            EXPECT_EQ(both[0], first) << count << " " << Name(mode);
            EXPECT_EQ(both[1], second) << count << " " << Name(mode);
            EXPECT_EQ(both[1], together.CountColours()) << count << " " << Name(mode);
            EXPECT_TRUE(
                std::equal(apart.Pixels().begin(), apart.Pixels().end(), together.Pixels().begin()))
                << count << " " << Name(mode);
            // A remap left to the palette indices gives the same indices and counts.
            Canvas deferredCanvas = original;
            ColourMap deferred;
            EXPECT_EQ(deferredCanvas.ReduceColoursThenLimit(count, mode, 64, &deferred), both);
            const IndexedPicture expected = IndexedPicture::FromColours(together);
            const IndexedPicture late = IndexedPicture::FromColours(
                deferredCanvas, 0, true, deferred.Size() > 0 ? &deferred : nullptr);
            EXPECT_TRUE(std::ranges::equal(late.Pixels(), expected.Pixels()) &&
                        std::ranges::equal(late.Palette(), expected.Palette()))
                << count << " " << Name(mode);
        }
}

}  // namespace
}  // namespace orvane

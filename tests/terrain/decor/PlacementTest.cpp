// The two pixel tests: what the sampling grid sees and what it misses.
#include <gtest/gtest.h>

#include "terrain/decor/Placement.h"
#include "tests/support/TestMaps.h"

namespace orvane {
namespace {

using test::Fill;

Canvas Blank() {
    Canvas c;
    c.CreateImage(60, 60);
    return c;
}

// Box (2, 2, 15, 15). Its sample offsets are 2, 3, 5, 6, 8, 9, 10, 12: the third fraction,
// reached by adding 0.1 three times, is a hair above 0.3, so 2 + 15 * f rounds up to 7
// (offset 5) where the literal 0.3 would give 6 (offset 4, never read).
TEST(IsAreaFree, SeesOnlyItsSampleGrid) {
    Canvas c = Blank();
    Fill(c, 6, 3, 6, 16);    // column offset 4
    Fill(c, 3, 6, 16, 6);    // row offset 4
    Fill(c, 3, 13, 16, 13);  // row offset 11
    EXPECT_TRUE(IsAreaFree(c, 2, 2, 15, 15, true));
    EXPECT_TRUE(IsAreaFree(c, 2, 2, 15, 15, false));

    Canvas col = Blank();
    Fill(col, 7, 3, 7, 16);  // column offset 5
    EXPECT_FALSE(IsAreaFree(col, 2, 2, 15, 15, true));

    Canvas row = Blank();
    Fill(row, 3, 7, 16, 7);  // row offset 5
    EXPECT_FALSE(IsAreaFree(row, 2, 2, 15, 15, true));
}

TEST(IsAreaFree, OpenBottomSkipsTheLowestRowAndCorners) {
    Canvas c = Blank();
    Fill(c, 3, 14, 16, 14);  // row offset 12, the eighth fraction
    EXPECT_TRUE(IsAreaFree(c, 2, 2, 15, 15, true));
    EXPECT_FALSE(IsAreaFree(c, 2, 2, 15, 15, false));

    Canvas corner = Blank();
    corner.SetPixel(17, 17, test::kLand);  // bottom-right corner
    EXPECT_TRUE(IsAreaFree(corner, 2, 2, 15, 15, true));
    EXPECT_FALSE(IsAreaFree(corner, 2, 2, 15, 15, false));

    Canvas top = Blank();
    top.SetPixel(17, 2, test::kLand);  // top-right corner is always read
    EXPECT_FALSE(IsAreaFree(top, 2, 2, 15, 15, true));
    // Beyond the picture everything reads as free.
    EXPECT_TRUE(IsAreaFree(top, -40, -40, 15, 15, false));
}

TEST(IsGroundBelow, CornersOnlyMissesAGapUnderTheMiddle) {
    Canvas c = Blank();
    Fill(c, 0, 31, 59, 59);  // ground row 31 = y + h + 1 for (10, 10, 20, 20)
    c.SetPixel(20, 31, 0);   // a one-pixel dip under fraction 0.5
    EXPECT_TRUE(IsGroundBelow(c, 10, 10, 20, 20, true));
    EXPECT_FALSE(IsGroundBelow(c, 10, 10, 20, 20, false));
    c.SetPixel(20, 31, test::kLand);
    EXPECT_TRUE(IsGroundBelow(c, 10, 10, 20, 20, false));
    c.SetPixel(30, 31, 0);  // right corner
    EXPECT_FALSE(IsGroundBelow(c, 10, 10, 20, 20, true));
    // The row under the box is tested, not the box's own bottom row.
    EXPECT_FALSE(IsGroundBelow(c, 10, 9, 20, 20, true));
}

}  // namespace
}  // namespace orvane

// Most maps are written from rows enlarged as the export reads them; the file must be the one
// the enlarged picture held whole gives, or seeds would stop reproducing their maps.
#include <gtest/gtest.h>

#include "core/RunError.h"
#include "palette/EnlargedRows.h"
#include "palette/IndexedPicture.h"
#include "png/PaletteExport.h"
#include "tests/support/SamplePicture.h"
#include "tests/support/TestSupport.h"

namespace orvane {
namespace {

TEST(EnlargedRows, GiveTheFileAndPixelsOfTheWholeEnlargement) {
    struct Case {
        std::int32_t sourceW, sourceH, scaledW, scaledH, width, height;
    };
    // Exact and uneven scales, a margin on either side, and one large enough to split.
    const Case cases[] = {{160, 90, 160, 90, 160, 90},
                          {160, 90, 320, 180, 320, 180},
                          {161, 93, 344, 144, 640, 180},
                          {77, 40, 135, 41, 135, 64},
                          {1050, 700, 2100, 1400, 2100, 2000}};
    for (const Case& c : cases) {
        Canvas canvas = test::SampleMap(c.sourceW, c.sourceH, 7);
        canvas.ReduceColours(64);
        IndexedPicture source = IndexedPicture::FromColours(canvas, 0, false);
        IndexedPicture whole = source;
        whole.ResizeImage(c.scaledW, c.scaledH, true);
        whole.ResizeCanvas(c.width, c.height, Anchor::BottomCentre);
        // The source keeps the order its colours were met in: the rows renumber it.
        const EnlargedRows rows(source, c.scaledW, c.scaledH, c.width, c.height,
                                Anchor::BottomCentre);
        const auto what = std::to_string(c.scaledW) + "x" + std::to_string(c.height);
        for (std::int32_t y = 0; y < c.height; y += 7)
            for (std::int32_t x = 0; x < c.width; x += 5)
                ASSERT_EQ(rows.Palette()[rows.At(x, y)], test::ColourAt(whole, x, y))
                    << what << " at " << x << "," << y;
        const auto file = ExportPng(whole);
        EXPECT_TRUE(ExportPng(rows, 1) == file) << what;
        EXPECT_TRUE(ExportPng(rows, 2) == file) << what << " on two threads";
    }
    // Colours cropped away leave the file's palette, in its sorted order.
    Canvas canvas = test::SampleMap(200, 120, 3);
    canvas.ReduceColours(64);
    IndexedPicture cropped = IndexedPicture::FromColours(canvas, 0, false);
    cropped.Crop(Rect{0, 60, 90, 120});
    IndexedPicture whole = cropped;
    whole.ResizeImage(180, 120, true);
    whole.ResizeCanvas(200, 130, Anchor::BottomCentre);
    const EnlargedRows rows(cropped, 180, 120, 200, 130, Anchor::BottomCentre);
    EXPECT_TRUE(ExportPng(rows, 1) == ExportPng(whole)) << "cropped";

    Canvas plain;
    plain.CreateImage(40, 20, RGB(9, 9, 9));
    const IndexedPicture small = IndexedPicture::FromColours(plain);
    EXPECT_THROW(EnlargedRows(small, 30, 20, 40, 20, Anchor::BottomCentre), RunError);
}

}  // namespace
}  // namespace orvane

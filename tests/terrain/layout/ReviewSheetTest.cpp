// Leaves a 4 x 4 contact sheet of painted seeded maps for people to look at.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/TestSupport.h"
#include "tests/terrain/layout/LayoutTestMaps.h"

namespace orvane::test {
namespace {

constexpr int kCellW = 480;
constexpr int kCellH = 272;

// Box-averaged thumbnail so thin rays and stars stay visible.
void PasteThumbnail(const Canvas& from, Canvas& sheet, int left, int top) {
    const double scale = std::max(static_cast<double>(from.GetWidth()) / (kCellW - 4),
                                  static_cast<double>(from.GetHeight()) / (kCellH - 4));
    const int w = static_cast<int>(from.GetWidth() / scale);
    const int h = static_cast<int>(from.GetHeight() / scale);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int x0 = static_cast<int>(x * scale), x1 = static_cast<int>((x + 1) * scale);
            const int y0 = static_cast<int>(y * scale), y1 = static_cast<int>((y + 1) * scale);
            long r = 0, g = 0, b = 0, n = 0;
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    const Colour c = from.GetPixel(sx, sy);
                    r += RedOf(c);
                    g += GreenOf(c);
                    b += BlueOf(c);
                    ++n;
                }
            }
            if (n == 0) continue;
            // Brighten the average a little so sparse stars show at this size.
            const auto lift = [n](long v) { return static_cast<int>(std::min(255L, 2 * v / n)); };
            sheet.SetPixel(left + 2 + x, top + 2 + y, RGB(lift(r), lift(g), lift(b)));
        }
    }
}

TEST(LayoutReview, ContactSheetOfSixteenPaintedMaps) {
    Canvas sheet;
    sheet.CreateImage(4 * kCellW, 4 * kCellH, RGB(40, 40, 60));
    for (int i = 0; i < 16; ++i) {
        MapState map;
        Random rng;
        const auto seed = static_cast<std::uint32_t>(1000 + 7 * i);
        PlanSeededMap(map, rng, seed);
        RecordingLog log;
        PaintPieces(map, rng, log);
        EXPECT_TRUE(log.Diagnostics().empty()) << "seed " << seed;
        // Each cell's frame is black inside, so the sheet's grid shows the map edges.
        const int left = (i % 4) * kCellW;
        const int top = (i / 4) * kCellH;
        for (int y = 2; y < kCellH - 2; ++y)
            for (int x = 2; x < kCellW - 2; ++x) sheet.SetPixel(left + x, top + y, 0);
        PasteThumbnail(map.canvas, sheet, left, top);
    }
    SaveForReview(sheet, "layout_contact_sheet.png");
}

}  // namespace
}  // namespace orvane::test

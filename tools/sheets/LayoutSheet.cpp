// A 4 x 4 contact sheet of painted seeded maps (layout stages only, before composition):
// layout-sheet OUT.png
#include <algorithm>
#include <cstdio>

#include "tests/support/TestSupport.h"
#include "tests/terrain/SeededMaps.h"
#include "tools/sheets/ToolMain.h"

namespace {

using namespace orvane;
using namespace orvane::test;

constexpr int kCellW = 480;
constexpr int kCellH = 272;

// Thumbnail pixels average the non-black pixels of their block, so thin rays and single
// stars stay visible at a sixth of the size.
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
                    if (c == 0) continue;
                    r += RedOf(c);
                    g += GreenOf(c);
                    b += BlueOf(c);
                    ++n;
                }
            }
            const Colour c = n == 0 ? 0
                                    : RGB(static_cast<int>(r / n), static_cast<int>(g / n),
                                          static_cast<int>(b / n));
            sheet.SetPixel(left + 2 + x, top + 2 + y, c);
        }
    }
}

void MakeSheet(const char* path) {
    Canvas sheet;
    sheet.CreateImage(4 * kCellW, 4 * kCellH, RGB(40, 40, 60));
    for (int i = 0; i < 16; ++i) {
        MapState map;
        Random rng;
        const auto seed = static_cast<std::uint32_t>(1000 + 7 * i);
        PlanSeededMap(map, rng, seed);
        RecordingLog log;
        PaintPieces(map, rng, log);
        for (const std::string& d : log.Diagnostics())
            std::fprintf(stderr, "seed %u: %s\n", seed, d.c_str());
        PasteThumbnail(map.canvas, sheet, (i % 4) * kCellW, (i / 4) * kCellH);
    }
    SavePng(sheet, path);
}

}  // namespace

int main(int argc, char** argv) {
    return orvane::tools::RunSheetTool(argc, argv, "layout-sheet OUT.png", MakeSheet);
}

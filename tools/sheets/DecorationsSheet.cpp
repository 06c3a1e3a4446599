// Close-ups of the first decoration of every kind on a few seeded maps, side by side, to see
// that they stand on the land: decorations-sheet OUT.png
#include <array>
#include <optional>

#include "map/MapLog.h"
#include "terrain/compose/ComposeTerrain.h"
#include "terrain/layout/PaintPieces.h"
#include "tests/support/TestSupport.h"
#include "tests/terrain/SeededMaps.h"
#include "tests/terrain/WrappedDrawers.h"
#include "tools/sheets/ToolMain.h"

namespace {

using namespace orvane;

// Where the first placed object of each kind stood on the map being made.
struct Placed {
    std::int32_t left = 0;
    std::int32_t base = 0;
    std::int32_t width = 0;
};
std::array<std::optional<Placed>, 7> firstPlaced;

template <Drawer Kind, DecorationDrawer Real>
struct Recorded {
    static std::int32_t Draw(DecorTarget& target, Random& rng, std::int32_t left, std::int32_t base,
                             const TerrainPiece& piece) {
        const std::int32_t advance = Real(target, rng, left, base, piece);
        auto& first = firstPlaced[static_cast<std::size_t>(Kind)];
        if (advance > 0 && !first) first = Placed{left, base, advance + 1};
        return advance;
    }
};

const DecorationDrawers kRecorded = test::WrapDrawers<Recorded>();

void MakeSheet(const char* path) {
    constexpr std::int32_t kCellW = 120, kCellH = 100, kZoom = 3;
    constexpr std::array<std::uint32_t, 4> kSeeds = {5, 12, 21, 33};
    Canvas sheet;
    sheet.CreateImage(7 * kCellW * kZoom, static_cast<std::int32_t>(kSeeds.size()) * kCellH * kZoom,
                      RGB(40, 40, 40));
    for (std::size_t row = 0; row < kSeeds.size(); ++row) {
        MapState map;
        Random rng;
        test::PlanSeededMap(map, rng, kSeeds[row]);
        NullLog log;
        PaintPieces(map, rng, log);
        firstPlaced.fill(std::nullopt);
        ComposeTerrain(map, rng, kRecorded);
        for (std::size_t k = 0; k < firstPlaced.size(); ++k) {
            if (!firstPlaced[k]) continue;
            const Placed& p = *firstPlaced[k];
            // The object sits at the bottom middle of its cell, ground below it.
            const std::int32_t x0 = p.left + p.width / 2 - kCellW / 2;
            const std::int32_t y0 = p.base + 20 - kCellH;
            test::Paste(sheet, test::Crop(map.canvas, x0, y0, kCellW, kCellH),
                        static_cast<std::int32_t>(k) * kCellW * kZoom,
                        static_cast<std::int32_t>(row) * kCellH * kZoom, kZoom, 1);
        }
    }
    test::SavePng(sheet, path);
}

}  // namespace

int main(int argc, char** argv) {
    return orvane::tools::RunSheetTool(argc, argv, "decorations-sheet OUT.png", MakeSheet);
}

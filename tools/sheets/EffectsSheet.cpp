// Every picture effect and every cut pattern on one real generated map, for people to look
// at: effects-sheet OUT_DIR writes effects.png (the map, each effect, each pattern, and the
// signature label enlarged) and effects-detail.png (full-size close-ups around the label).
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "finish/Signature.h"
#include "map/MapLog.h"
#include "terrain/GenerateTerrain.h"
#include "tests/support/EffectList.h"
#include "tests/support/PatternCuts.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/TestSupport.h"
#include "tests/terrain/SeededMaps.h"
#include "tools/sheets/ToolMain.h"

namespace {

using namespace orvane;
using test::Crop;
using test::Paste;

MapState RealMap(std::uint32_t seed, std::int32_t width) {
    Random rng;
    MapState map;
    test::StartSizedMap(map, rng, seed, width, 13);
    NullLog log;
    GenerateTerrain(map, rng, log);
    DrawSignature(map, rng);
    return map;
}

const auto& kEffects = test::AllEffects();

void MakeSheets(const std::filesystem::path& dir) {
    // The first of a few fixed seeds whose map is at least a quarter land, so there is
    // something to look at.
    MapState map;
    for (std::uint32_t seed = 1; seed < 40; ++seed) {
        map = RealMap(seed, 1200);
        const int land = test::CountLand(map.canvas);
        if (land * 4 >= static_cast<int>(map.canvas.Pixels().size())) break;
    }
    const Canvas& base = map.canvas;
    const Rect box = map.LabelBox;
    // Tiles in reading order: the map, effects 1 .. 7, then the four patterns (full-size
    // crops, since shrinking would hide their few-pixel spacing).
    std::vector<Canvas> tiles{base};
    for (const auto& effect : kEffects) {
        Canvas c = base;
        effect(c);
        tiles.push_back(c);
    }
    const int tw = base.GetWidth() / 2;
    const int th = base.GetHeight() / 2;
    for (int pattern = 0; pattern < 4; ++pattern) {
        MapState m;
        m.canvas =
            Crop(base, std::clamp((box.Left + box.Right - tw) / 2, 0, base.GetWidth() - tw),
                 std::clamp((box.Top + box.Bottom - th) / 2, 0, base.GetHeight() - th), tw, th);
        // Only this pattern's chance passes; its own draws come from the filler.
        std::vector<float> script(static_cast<std::size_t>(pattern), 0.9f);
        script.push_back(0.1f);
        test::ScriptedRandom rng(script, 0.5f);
        test::CutPatternsAsMapsDo(m.canvas, m.stats, rng, 0.3f);
        tiles.push_back(m.canvas);
    }

    const int zoom = 3;
    const int gap = 6;
    const int columns = 3;
    const int rows = (static_cast<int>(tiles.size()) + columns - 1) / columns;
    Canvas sheet;
    sheet.CreateImage(columns * (tw + gap), rows * (th + gap) + (box.Bottom - box.Top + 8) * zoom,
                      RGB(60, 60, 60));
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const int left = static_cast<int>(i % columns) * (tw + gap);
        const int top = static_cast<int>(i / columns) * (th + gap);
        Paste(sheet, tiles[i], left, top, 1, i < 1 + kEffects.size() ? 2 : 1);
    }
    const Canvas label =
        Crop(base, box.Left - 4, box.Top - 4, box.Right - box.Left + 8, box.Bottom - box.Top + 8);
    Paste(sheet, label, 0, rows * (th + gap), zoom, 1);
    test::SavePng(sheet, (dir / "effects.png").string());

    // Full-size details around the label, where there is land, for a closer look.
    Canvas detail;
    const int dw = 300;
    const int dh = 160;
    const int cx = std::clamp((box.Left + box.Right) / 2 - dw / 2, 0, base.GetWidth() - dw);
    const int cy = std::clamp((box.Top + box.Bottom) / 2 - dh / 2, 0, base.GetHeight() - dh);
    detail.CreateImage(columns * (dw + gap), 5 * (dh + gap), RGB(60, 60, 60));
    for (std::size_t i = 0; i < 1 + kEffects.size(); ++i) {
        Paste(detail, Crop(tiles[i], cx, cy, dw, dh), static_cast<int>(i % columns) * (dw + gap),
              static_cast<int>(i / columns) * (dh + gap), 1, 1);
    }
    test::SavePng(detail, (dir / "effects-detail.png").string());
}

}  // namespace

int main(int argc, char** argv) {
    return orvane::tools::RunSheetTool(argc, argv, "effects-sheet OUT_DIR", MakeSheets);
}

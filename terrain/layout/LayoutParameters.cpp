#include "terrain/layout/LayoutParameters.h"

#include <algorithm>

#include "core/Numeric.h"

namespace orvane {

void DrawMapSize(MapState& map, Random& rng) {
    map.ScaleTenths = rng.RndInt(11) + 13;
    if (map.WalkForWeapons) {
        map.layout.WeaponIconSize = CLng(IconSpan(map.ScaleTenths));
        if (map.layout.WeaponIconSize % 2 != 0) map.layout.WeaponIconSize += 1;
    }
    map.MapWidth = rng.RndInt(2352) + 848;
    map.MapHeight = CLng(map.MapWidth / kMapAspect);
}

namespace {

// A canvas too small for even the smallest pieces would make the size loop spin for ever;
// real maps need a handful of passes at most.
constexpr int kMaxSizePasses = 100000;

// Spread factor 0.4..1.0, drawn afresh for every table entry.
double Spread(Random& rng) {
    return (rng.RndInt(6) + 4) / 10.0;
}

}  // namespace

void DrawLayoutParameters(MapState& map, Random& rng) {
    LayoutParameters& layout = map.layout;
    const double scale = std::min(map.MapWidth, map.MapHeight) / 1800.0;
    const std::int32_t r1 = rng.RndInt(CLng(scale * 30 / 1.5));
    const std::int32_t r2 = rng.RndInt(20);
    layout.PieceMargin = CLng(scale * 30 / 3 + r2 + r1);

    const std::int32_t q = CLng(std::max(map.MapWidth, map.MapHeight) / 4.0);
    for (int pass = 0;; ++pass) {
        if (pass == kMaxSizePasses) throw RunError("No piece size fits the canvas");
        layout.PieceMinWidth = rng.RndInt(q) + 7;
        layout.PieceWidthRange = rng.RndInt(layout.PieceMinWidth) + layout.PieceMinWidth + 7;
        const double u = rng.Rnd();
        layout.PieceMinHeight = CLng((u + 0.5) * layout.PieceMinWidth);
        layout.PieceHeightRange = rng.RndInt(layout.PieceMinHeight) + layout.PieceMinHeight + 7;
        const std::int32_t cw = map.canvas.GetWidth();
        const std::int32_t ch = map.canvas.GetHeight();
        const std::int32_t twoMargins = CheckedMul(2, layout.PieceMargin);
        const std::int32_t area = CheckedMul(
            CheckedAdd(CheckedAdd(layout.PieceHeightRange, layout.PieceMinHeight), twoMargins),
            CheckedAdd(CheckedAdd(layout.PieceMinWidth, layout.PieceWidthRange), twoMargins));
        layout.PieceCount = CLng(ch * 0.8 * cw / area);
        if (layout.PieceCount >= 2) break;
    }

    // Many small pieces look busy: large counts are thinned to 60..100%.
    if (layout.PieceCount > 64) {
        const std::int32_t k = rng.RndInt(CLng(layout.PieceCount * 0.4));
        layout.PieceCount = CLng(layout.PieceCount * 0.6 + k);
    }
    if (rng.Chance(0.1)) layout.PieceMargin = rng.RndInt(layout.PieceMargin);

    // The minima are halved but the ranges keep their earlier values on purpose.
    const std::int32_t kw = rng.RndInt(CLng(layout.PieceMinWidth * 0.5));
    layout.PieceMinWidth = CLng(layout.PieceMinWidth * 0.5 + 7 + kw);
    const std::int32_t kh = rng.RndInt(CLng(layout.PieceMinHeight * 0.5));
    layout.PieceMinHeight = CLng(layout.PieceMinHeight * 0.5 + 7 + kh);
}

void FillColourTables(ColourTables& tables, Random& rng) {
    // A grey, a pale and a dark grey table are drawn between the used ones and dropped: no
    // stage reads them, but their draws fix where every later draw falls.
    const auto dropGrey = [&](double range) { rng.RndInt(CLng(Spread(rng) * range)); };
    for (std::size_t i = 0; i < 8; ++i) {
        double f = Spread(rng);
        const std::int32_t g1 = rng.RndInt(CLng(f * 60));
        tables.GreenTable1[i] = RGB(10, CInt(g1 + 90), 10);

        dropGrey(80);
        f = Spread(rng);
        const std::int32_t a = rng.RndInt(CLng(f * 80));
        for (int channel = 0; channel < 3; ++channel) rng.RndInt(a);  // the pale table

        f = Spread(rng);
        const std::int32_t g2 = rng.RndInt(CLng(f * 80));
        tables.GreenTable2[i] = RGB(10, CInt(g2 + 90), 10);

        dropGrey(30);
        dropGrey(80);

        f = Spread(rng);
        const std::int32_t v = rng.RndInt(CLng(f * 255));
        tables.VividTable[i] = rng.Chance(0.5) ? RGB(CInt(v), 0, 255) : RGB(255, CInt(v), 0);
    }
}

}  // namespace orvane

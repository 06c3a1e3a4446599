#include "terrain/layout/LayoutParameters.h"

#include <algorithm>

#include "core/Numeric.h"

namespace orvane {

void DrawMapSize(MapState& map, Random& rng) {
    map.ScaleTenths = rng.RndInt(11) + 13;
    if (map.WalkForWeapons) {
        map.WeaponIconSize = CLng(IconSpan(map.ScaleTenths));
        if (map.WeaponIconSize % 2 != 0) map.WeaponIconSize += 1;
    }
    map.MapWidth = rng.RndInt(2352) + 848;
    map.MapHeight = CLng(map.MapWidth / kMapAspect);
    map.canvas.CreateImage(map.MapWidth, map.MapHeight, 0);
}

namespace {

// A canvas too small for even the smallest pieces would make the size loop spin for ever;
// real maps need a handful of passes at most.
constexpr int kMaxSizePasses = 100000;

// Spread factor 0.4..1.0, drawn afresh for every table entry.
double Spread(Random& rng) {
    return (rng.RndInt(6) + 4) / 10.0;
}

Colour Grey(std::int32_t v) {
    return RGB(v, v, v);
}

}  // namespace

void DrawLayoutParameters(MapState& map, Random& rng) {
    const double scale = std::min(map.MapWidth, map.MapHeight) / 1800.0;
    const std::int32_t r1 = rng.RndInt(CLng(scale * 30 / 1.5));
    const std::int32_t r2 = rng.RndInt(20);
    map.PieceMargin = CLng(scale * 30 / 3 + r2 + r1);

    const std::int32_t q = CLng(std::max(map.MapWidth, map.MapHeight) / 4.0);
    for (int pass = 0;; ++pass) {
        if (pass == kMaxSizePasses) throw RunError("No piece size fits the canvas");
        map.PieceMinWidth = rng.RndInt(q) + 7;
        map.PieceWidthRange = rng.RndInt(map.PieceMinWidth) + map.PieceMinWidth + 7;
        const double u = rng.Rnd();
        map.PieceMinHeight = CLng((u + 0.5) * map.PieceMinWidth);
        map.PieceHeightRange = rng.RndInt(map.PieceMinHeight) + map.PieceMinHeight + 7;
        const std::int32_t cw = map.canvas.GetWidth();
        const std::int32_t ch = map.canvas.GetHeight();
        const std::int32_t twoMargins = CheckedMul(2, map.PieceMargin);
        const std::int32_t area =
            CheckedMul(CheckedAdd(CheckedAdd(map.PieceHeightRange, map.PieceMinHeight), twoMargins),
                       CheckedAdd(CheckedAdd(map.PieceMinWidth, map.PieceWidthRange), twoMargins));
        map.PieceCount = CLng(ch * 0.8 * cw / area);
        if (map.PieceCount >= 2) break;
    }

    // Many small pieces look busy: large counts are thinned to 60..100%.
    if (map.PieceCount > 64) {
        const std::int32_t k = rng.RndInt(CLng(map.PieceCount * 0.4));
        map.PieceCount = CLng(map.PieceCount * 0.6 + k);
    }
    if (rng.Chance(0.1)) map.PieceMargin = rng.RndInt(map.PieceMargin);

    // The minima are halved but the ranges keep their earlier values on purpose.
    const std::int32_t kw = rng.RndInt(CLng(map.PieceMinWidth * 0.5));
    map.PieceMinWidth = CLng(map.PieceMinWidth * 0.5 + 7 + kw);
    const std::int32_t kh = rng.RndInt(CLng(map.PieceMinHeight * 0.5));
    map.PieceMinHeight = CLng(map.PieceMinHeight * 0.5 + 7 + kh);
}

void FillColourTables(MapState& map, Random& rng) {
    for (std::size_t i = 0; i < 8; ++i) {
        double f = Spread(rng);
        const std::int32_t g1 = rng.RndInt(CLng(f * 60));
        map.GreenTable1[i] = RGB(10, CInt(g1 + 90), 10);

        f = Spread(rng);
        map.GreyTable1[i] = Grey(rng.RndInt(CLng(f * 80)) + 100);

        f = Spread(rng);
        const std::int32_t a = rng.RndInt(CLng(f * 80));
        const std::int32_t r = rng.RndInt(a);
        const std::int32_t g = rng.RndInt(a);
        const std::int32_t b = rng.RndInt(a);
        map.PaleTable[i] = RGB(CInt(r + 120), CInt(g + 120), CInt(b + 120));

        f = Spread(rng);
        const std::int32_t g2 = rng.RndInt(CLng(f * 80));
        map.GreenTable2[i] = RGB(10, CInt(g2 + 90), 10);

        f = Spread(rng);
        map.DarkGreyTable[i] = Grey(rng.RndInt(CLng(f * 30)) + 80);

        f = Spread(rng);
        map.GreyTable2[i] = Grey(rng.RndInt(CLng(f * 80)) + 100);

        f = Spread(rng);
        const std::int32_t v = rng.RndInt(CLng(f * 255));
        map.VividTable[i] = rng.Chance(0.5) ? RGB(CInt(v), 0, 255) : RGB(255, CInt(v), 0);
    }
}

}  // namespace orvane

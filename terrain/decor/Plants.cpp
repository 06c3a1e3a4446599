// Grass tufts, flowers and trees: strokes and discs in the map's green and vivid tables.
#include "core/Numeric.h"
#include "terrain/decor/Decorations.h"
#include "terrain/decor/DrawerSupport.h"
#include "terrain/decor/Placement.h"

namespace orvane {

using decor::RandomEntry;
using decor::RandomShade;

void DrawGrassTuft(MapState& map, Random& rng, std::int32_t left, std::int32_t base,
                   const TerrainPiece& /*piece*/, std::int32_t& advance) {
    Canvas& canvas = map.canvas;
    advance = 0;
    const std::int32_t w = rng.RndInt(8) + 10;
    const std::int32_t h = rng.RndInt(8) + 10;
    const std::int32_t top = base - h + 1;
    // Only the two pixels beside the root are tested: a tuft may overhang a ledge.
    if (!IsGroundBelow(canvas, CLng(left + w / 2.0 - 1), top, 2, h, true)) return;
    canvas.SetPenWidth(1);
    if (!IsAreaFree(canvas, left, top, w, h - 1, true)) return;
    advance = w - 1;

    const std::int32_t blades = rng.RndInt(CLng((h + w) / 2.0 / 2.0)) + 8;
    const std::int32_t rootX = CLng(left + w / 2.0);
    for (std::int32_t i = 0; i < blades; ++i) {
        canvas.SetPenColour(RandomEntry(rng, map.GreenTable1));
        canvas.SetPenWidth(rng.RndInt(1) + 1);
        const std::int32_t dx = rng.RndInt(w);
        const std::int32_t dy = rng.RndInt(CLng(h / 3.0));
        canvas.DrawLine(rootX, base + 1, left + dx, top + dy);
    }
    map.stats.CountDecoration(Drawer::GrassTuft);
}

void DrawFlower(MapState& map, Random& rng, std::int32_t left, std::int32_t base,
                const TerrainPiece& piece, std::int32_t& advance) {
    Canvas& canvas = map.canvas;
    advance = 0;
    const std::int32_t w = rng.RndInt(4) + 8;
    const std::int32_t h = rng.RndInt(6) + 11;
    const std::int32_t top = base - h + 1;
    if (!IsGroundBelow(canvas, CLng(left + w / 2.0), top, 1, h, true)) return;
    if (!IsAreaFree(canvas, left, top, w, h - 1, true)) return;
    advance = w - 1;

    canvas.SetPenWidth(1);
    const std::int32_t p = canvas.GetPenWidth();
    const std::int32_t jA = decor::Jitter(rng, p);
    const std::int32_t jB = decor::Jitter(rng, p);
    const std::int32_t cx = CLng(left + w / 2.0);
    const std::int32_t headX = CLng(left + jB + w / 2.0);

    // Leaves leave the unjittered centre and rise two rows towards the box edges.
    const std::int32_t leafRoot = CLng(top + 1 + 0.6 * h);
    const std::int32_t leafTip = CLng(top - 1 + 0.6 * h);
    canvas.SetPenColour(RandomShade(rng, piece));
    const std::int32_t dL = rng.RndInt(p);
    canvas.DrawLine(cx, leafRoot, left + dL, leafTip);
    canvas.SetPenColour(RandomShade(rng, piece));
    const std::int32_t dR = rng.RndInt(p);
    canvas.DrawLine(cx, leafRoot, left + w - dR, leafTip);

    canvas.SetPenColour(RandomEntry(rng, map.GreenTable1));
    canvas.DrawLine(CLng(left + jA + w / 2.0), base + 1, headX, top);

    // Three discs on the top row make the head; they reach above the tested box.
    canvas.SetFillColour(RandomEntry(rng, map.VividTable));
    canvas.SetPenColour(RandomShade(rng, piece));
    canvas.DrawCircle(headX, top, 2);
    canvas.SetFillColour(RandomEntry(rng, map.VividTable));
    canvas.SetPenColour(RandomShade(rng, piece));
    std::int32_t d = rng.RndInt(2);
    canvas.DrawCircle(headX, top + 1 - d, 2);
    canvas.SetFillColour(RandomEntry(rng, map.VividTable));
    canvas.SetPenColour(RandomShade(rng, piece));
    d = rng.RndInt(2);
    canvas.DrawCircle(headX, top + 1 - d, 1);
    map.stats.CountDecoration(Drawer::Flower);
}

void DrawTree(MapState& map, Random& rng, std::int32_t left, std::int32_t base,
              const TerrainPiece& /*piece*/, std::int32_t& advance) {
    Canvas& canvas = map.canvas;
    advance = 0;
    const std::int32_t w = rng.RndInt(20) + 20;
    const std::int32_t h = rng.RndInt(50) + 40;
    const std::int32_t top = base - h + 1;
    if (!IsGroundBelow(canvas, CLng(left + w / 2.0 - 2), top, 4, h, true)) return;
    // The crown's lowest branches and the trunk foot are not tested.
    if (!IsAreaFree(canvas, left, top, w, CLng(h - 0.15 * h - 1), true)) return;
    advance = w - 1;

    canvas.SetPenWidth(rng.RndInt(1) + 2);
    canvas.SetPenColour(RGB(rng.RndInt(25) + 80, 10, 10));
    const std::int32_t lean = 3 - rng.RndInt(6);
    const std::int32_t apexX = CLng(left + lean + w / 2.0);
    const std::int32_t centreX = CLng(left + w / 2.0);
    const std::int32_t p = canvas.GetPenWidth();
    canvas.DrawLine(apexX, top + p, centreX, base + 1);

    canvas.SetPenColour(RandomEntry(rng, map.GreenTable2));
    canvas.DrawLine(centreX, CLng(top + 0.2 * h), centreX, CLng(top + 0.85 * h));

    const std::int32_t branches = rng.RndInt(CLng((h + w) / 2.0 / 2.0)) + h;
    for (std::int32_t i = 0; i < branches; ++i) {
        canvas.SetPenColour(RandomEntry(rng, map.GreenTable2));
        canvas.SetPenWidth(rng.RndInt(1) + 1);
        const std::int32_t dx = rng.RndInt(w);
        const std::int32_t dy = rng.RndInt(CLng(0.7 * h));
        canvas.DrawLine(apexX, top, left + dx, CLng(top + 0.15 * h + dy));
    }
    map.stats.CountDecoration(Drawer::Tree);
}

}  // namespace orvane

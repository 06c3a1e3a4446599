// Grass tufts, flowers and trees: strokes and discs in the map's green and vivid tables.
#include "core/Numeric.h"
#include "terrain/decor/Decorations.h"
#include "terrain/decor/DrawerSupport.h"
#include "terrain/decor/Placement.h"

namespace orvane {

using decor::DecorBox;
using decor::DrawBox;
using decor::RandomEntry;
using decor::RandomShade;
using decor::StandDecoration;

std::int32_t DrawGrassTuft(DecorTarget& target, Random& rng, std::int32_t left, std::int32_t base,
                           const TerrainPiece& /*piece*/) {
    Canvas& canvas = target.canvas;
    const DecorBox box = DrawBox(rng, base, {8, 10}, {8, 10});
    const std::int32_t w = box.w, h = box.h, top = box.top;
    // Only the two pixels beside the root are tested: a tuft may overhang a ledge.
    const bool onGround = IsGroundBelow(canvas, CLng(left + w / 2.0 - 1), top, 2, h, true);
    const auto isFree = [&] {
        canvas.SetPenWidth(1);
        return IsAreaFree(canvas, left, top, w, h - 1, true);
    };
    return StandDecoration(target, Drawer::GrassTuft, w, onGround, isFree, [&] {
        const std::int32_t blades = rng.RndInt(CLng((h + w) / 2.0 / 2.0)) + 8;
        const std::int32_t rootX = CLng(left + w / 2.0);
        for (std::int32_t i = 0; i < blades; ++i) {
            canvas.SetPenColour(RandomEntry(rng, target.colours.GreenTable1));
            canvas.SetPenWidth(rng.RndInt(1) + 1);
            const std::int32_t dx = rng.RndInt(w);
            const std::int32_t dy = rng.RndInt(CLng(h / 3.0));
            canvas.DrawLine(rootX, base + 1, left + dx, top + dy);
        }
    });
}

std::int32_t DrawFlower(DecorTarget& target, Random& rng, std::int32_t left, std::int32_t base,
                        const TerrainPiece& piece) {
    Canvas& canvas = target.canvas;
    const DecorBox box = DrawBox(rng, base, {4, 8}, {6, 11});
    const std::int32_t w = box.w, h = box.h, top = box.top;
    const bool onGround = IsGroundBelow(canvas, CLng(left + w / 2.0), top, 1, h, true);
    const auto isFree = [&] { return IsAreaFree(canvas, left, top, w, h - 1, true); };
    return StandDecoration(target, Drawer::Flower, w, onGround, isFree, [&] {
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

        canvas.SetPenColour(RandomEntry(rng, target.colours.GreenTable1));
        canvas.DrawLine(CLng(left + jA + w / 2.0), base + 1, headX, top);

        // Three discs on the top row make the head; they reach above the tested box. The
        // second and third may sink by a row, drawn after their colours.
        const auto disc = [&](bool sinks, std::int32_t radius) {
            canvas.SetFillColour(RandomEntry(rng, target.colours.VividTable));
            canvas.SetPenColour(RandomShade(rng, piece));
            const std::int32_t y = sinks ? top + 1 - rng.RndInt(2) : top;
            canvas.DrawCircle(headX, y, radius);
        };
        disc(false, 2);
        disc(true, 2);
        disc(true, 1);
    });
}

std::int32_t DrawTree(DecorTarget& target, Random& rng, std::int32_t left, std::int32_t base,
                      const TerrainPiece& /*piece*/) {
    Canvas& canvas = target.canvas;
    const DecorBox box = DrawBox(rng, base, {20, 20}, {50, 40});
    const std::int32_t w = box.w, h = box.h, top = box.top;
    // The crown's lowest branches and the trunk foot are not tested.
    const auto isFree = [&] {
        return IsAreaFree(canvas, left, top, w, CLng(h - 0.15 * h - 1), true);
    };
    const bool onGround = IsGroundBelow(canvas, CLng(left + w / 2.0 - 2), top, 4, h, true);
    return StandDecoration(target, Drawer::Tree, w, onGround, isFree, [&] {
        canvas.SetPenWidth(rng.RndInt(1) + 2);
        canvas.SetPenColour(RGB(rng.RndInt(25) + 80, 10, 10));
        const std::int32_t lean = 3 - rng.RndInt(6);
        const std::int32_t apexX = CLng(left + lean + w / 2.0);
        const std::int32_t centreX = CLng(left + w / 2.0);
        const std::int32_t p = canvas.GetPenWidth();
        canvas.DrawLine(apexX, top + p, centreX, base + 1);

        const ColourTable& crown = target.colours.GreenTable2;
        canvas.SetPenColour(RandomEntry(rng, crown));
        canvas.DrawLine(centreX, CLng(top + 0.2 * h), centreX, CLng(top + 0.85 * h));

        const std::int32_t branches = rng.RndInt(CLng((h + w) / 2.0 / 2.0)) + h;
        for (std::int32_t i = 0; i < branches; ++i) {
            canvas.SetPenColour(RandomEntry(rng, crown));
            canvas.SetPenWidth(rng.RndInt(1) + 1);
            const std::int32_t dx = rng.RndInt(w);
            const std::int32_t dy = rng.RndInt(CLng(0.7 * h));
            canvas.DrawLine(apexX, top, left + dx, CLng(top + 0.15 * h + dy));
        }
    });
}

}  // namespace orvane

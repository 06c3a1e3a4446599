// Little people standing on the ground: solid figures of boxes or ovals, and stick figures.
#include "core/Numeric.h"
#include "terrain/decor/Decorations.h"
#include "terrain/decor/DrawerSupport.h"
#include "terrain/decor/Placement.h"

namespace orvane {

using decor::Jitter;
using decor::RandomShade;
using decor::StandDecoration;

namespace {

// Makes the pen differ from the fill so a part shows an outline; gives up after three
// redraws (a piece with one shade never succeeds, and still spends the draws).
void DistinctPen(Canvas& canvas, Random& rng, const TerrainPiece& piece) {
    for (int tries = 0; tries < 3; ++tries) {
        if (canvas.GetPenColour() == canvas.GetFillColour())
            canvas.SetPenColour(RandomShade(rng, piece));
    }
}

}  // namespace

std::int32_t DrawFigure(DecorTarget& target, Random& rng, std::int32_t left, std::int32_t base,
                        const TerrainPiece& piece) {
    Canvas& canvas = target.canvas;
    const std::int32_t n = rng.RndInt(40) + 50;
    const std::int32_t h = n - n % 3;
    const std::int32_t half = CLng(0.5 * h);
    const std::int32_t w = half + half % 2;
    const bool boxes = rng.Chance(0.5);
    const auto shape = [&](std::int32_t l, std::int32_t t, std::int32_t sw, std::int32_t sh) {
        if (boxes)
            canvas.DrawRectangle(l, t, sw, sh);
        else
            canvas.DrawEllipse(l, t, sw, sh);
    };

    const std::int32_t top = base - h + 1;
    // A wide, heavy figure: the whole row beneath must be land, not just its corners.
    const bool onGround = IsGroundBelow(canvas, left, top, w, h + 1, false);
    const auto isFree = [&] { return IsAreaFree(canvas, left, top, w, h - 1, true); };
    return StandDecoration(target, Drawer::Figure, w, onGround, isFree, [&] {
        canvas.SetPenWidth(rng.RndInt(1) + 1);
        const std::int32_t limbWidth = CLng(0.2 * w);
        const std::int32_t shoulder = CLng(top + 0.3 * h);

        canvas.SetPenColour(RandomShade(rng, piece));
        canvas.SetFillColour(RandomShade(rng, piece));
        shape(CLng(left + 0.2 * w), shoulder, CLng(0.6 * w), CLng(0.4 * h));

        canvas.SetFillColour(RandomShade(rng, piece));
        canvas.SetPenColour(RandomShade(rng, piece));
        DistinctPen(canvas, rng, piece);
        const std::int32_t hip = CLng(top + 0.6 * h);
        shape(CLng(left + 0.2 * w), hip, limbWidth, CLng(0.4 * h));
        shape(CLng(left + 0.6 * w), hip, limbWidth, CLng(0.4 * h));
        shape(left + 1, shoulder, limbWidth, CLng(0.3 * h));
        shape(CLng(left - 1 + 0.8 * w), shoulder, limbWidth, CLng(0.3 * h));

        canvas.SetFillColour(RandomShade(rng, piece));
        canvas.SetPenColour(RandomShade(rng, piece));
        shape(CLng(left + 0.3 * w), top, CLng(0.4 * w), CLng(0.4 * h));

        // Mouth ends each one row up or down: smile, frown, straight or crooked.
        const std::int32_t m1 = 1 - rng.RndInt(2);
        const std::int32_t m2 = 1 - rng.RndInt(2);
        canvas.SetPenColour(RandomShade(rng, piece));
        DistinctPen(canvas, rng, piece);
        canvas.AddPolyPoint(CLng(left + 0.4 * w), CLng(top + 0.3 * h + m1));
        canvas.AddPolyPoint(CLng(left + 0.5 * w), CLng(top + 0.3 * h));
        canvas.AddPolyPoint(CLng(left + 0.6 * w), CLng(top + 0.3 * h + m2));
        canvas.DrawPolyline();
        canvas.ClearPolyPoints();

        canvas.SetPenWidth(2);
        const std::int32_t eyes = CLng(top + 0.15 * h);
        canvas.DrawPoint(CLng(left + 3 + 0.3 * w), eyes);
        canvas.DrawPoint(CLng(left - 4 + 0.7 * w), eyes);
    });
}

std::int32_t DrawStickFigure(DecorTarget& target, Random& rng, std::int32_t left, std::int32_t base,
                             const TerrainPiece& piece) {
    Canvas& canvas = target.canvas;
    const std::int32_t h = rng.RndInt(6) + 16;
    const std::int32_t w = CLng(0.4 * h);
    const std::int32_t top = base - h + 1;
    const bool onGround = IsGroundBelow(canvas, left, top, w, h, true);
    const auto isFree = [&] { return IsAreaFree(canvas, left, top, w, h - 1, true); };
    return StandDecoration(target, Drawer::StickFigure, w, onGround, isFree, [&] {
        canvas.SetPenColour(RandomShade(rng, piece));
        canvas.SetPenWidth(rng.RndInt(1) + 1);
        const std::int32_t p = canvas.GetPenWidth();
        const std::int32_t hipX = CLng(left + 0.5 * w + Jitter(rng, p));
        const std::int32_t neckX = CLng(left + 0.5 * w + Jitter(rng, p));
        const std::int32_t hipY = CLng(top + 0.7 * h);

        canvas.DrawLine(left, base + 1, hipX, hipY);
        canvas.DrawLine(left + w, base + 1, hipX, hipY);
        canvas.DrawLine(neckX, CLng(top + 0.2 * h), hipX, hipY);

        canvas.SetFillColour(RandomShade(rng, piece));
        canvas.DrawCircle(neckX, CLng(top + 0.1 * h), CLng(0.05 * h + 1));

        // Arms may end one column outside the tested box.
        const std::int32_t shoulderY = CLng(top + 0.35 * h);
        std::int32_t ax = rng.RndInt(1);
        std::int32_t ay = rng.RndInt(CLng(0.2 * h + 1));
        canvas.DrawLine(neckX, shoulderY, left - ax, CLng(top + 0.3 * h + ay));
        ax = rng.RndInt(1);
        ay = rng.RndInt(CLng(0.2 * h + 1));
        canvas.DrawLine(neckX, shoulderY, left + w + ax, CLng(top + 0.3 * h + ay));
    });
}

}  // namespace orvane

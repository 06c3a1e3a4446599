// Gates and glyphs: thick strokes in the piece's own shades.
#include <utility>

#include "core/Numeric.h"
#include "terrain/decor/Decorations.h"
#include "terrain/decor/DrawerSupport.h"
#include "terrain/decor/Placement.h"

namespace orvane {

using decor::DecorBox;
using decor::DrawBox;
using decor::Jitter;
using decor::RandomShade;
using decor::StandDecoration;

namespace {

// Knocks a stretch out of a post by drawing over it in the empty colour with a wider pen.
void EraseGap(Canvas& canvas, Random& rng, std::int32_t topX, std::int32_t footX, std::int32_t top,
              std::int32_t h) {
    const std::int32_t gA = rng.RndInt(CLng(0.3 * h));
    const std::int32_t gB = rng.RndInt(CLng(0.5 * h));
    canvas.DrawLine(topX, CLng(top + 0.3 * h + gA), footX, CLng(top + 0.3 * h + gB));
}

// One of ten letter-like shapes in the box, in one of the piece's shades.
void DrawGlyphStrokes(Canvas& canvas, Random& rng, std::int32_t left, std::int32_t base,
                      std::int32_t top, std::int32_t w, std::int32_t h, const TerrainPiece& piece) {
    canvas.SetPenColour(RandomShade(rng, piece));
    canvas.SetPenWidth(rng.RndInt(1) + 2);
    const std::int32_t shape = rng.RndInt(9);
    const std::int32_t mid = CLng(top + 0.5 * h);
    const std::int32_t ground = base + 1;
    const std::int32_t centre = CLng(left + 0.5 * w);
    const auto jitter = [&] { return Jitter(rng, canvas.GetPenWidth()); };
    const auto offset = [&] { return rng.RndInt(canvas.GetPenWidth()); };
    // Two strokes from the row `from` at both sides of the box to one jittered point on the
    // row `to`; gives back the two jitters.
    const auto legs = [&](std::int32_t from, std::int32_t to) {
        const std::int32_t j1 = jitter();
        const std::int32_t j2 = jitter();
        const std::int32_t m = CLng(left + w / 2.0 - j2);
        canvas.DrawLine(left + j1, from, m, to);
        canvas.DrawLine(left + w + j1, from, m, to);
        return std::pair{j1, j2};
    };

    switch (shape) {
        case 0: {  // A with a bar reaching past both legs
            const auto [j1, j2] = legs(ground, top);
            canvas.DrawLine(left - j1, mid, left + w + j2, mid);
            break;
        }
        case 1: {  // pin: an upright with a disc on top
            const std::int32_t j1 = jitter();
            const std::int32_t c = CLng(left + 0.5 * w + j1);
            canvas.DrawLine(c, top, centre, ground);
            canvas.SetFillColour(RandomShade(rng, piece));
            const std::int32_t p = canvas.GetPenWidth();
            const std::int32_t r = rng.RndInt(2 * p) + 1;
            canvas.DrawCircle(c, top + p, r);
            break;
        }
        case 2: {  // four-sided frame with a level foot
            const std::int32_t q1 = offset();
            const std::int32_t q2 = offset();
            const std::int32_t q3 = offset();
            const std::int32_t q4 = offset();
            canvas.DrawLine(left + q1, top + q3, left + w - q2, top + q4);
            canvas.DrawLine(left + q2, ground, left + w - q1, ground);
            canvas.DrawLine(left + q1, top + q3, left + q2, ground);
            canvas.DrawLine(left + w - q2, top + q4, left + w - q1, ground);
            break;
        }
        case 3:  // V
            legs(top, ground);
            break;
        case 4: {  // X, each stroke with its own jitters
            std::int32_t j1 = jitter();
            std::int32_t j2 = jitter();
            canvas.DrawLine(left + j1, top, left + w - j2, ground);
            j1 = jitter();
            j2 = jitter();
            canvas.DrawLine(left + w - j1, top, left + j2, ground);
            break;
        }
        case 5: {  // Y
            legs(top, mid);
            const std::int32_t j3 = jitter();
            canvas.DrawLine(centre, mid, CLng(left + 0.5 * w + j3), ground);
            break;
        }
        default: {  // 6..9: a peak without a bar, the most common glyph
            const std::int32_t q1 = offset();
            const std::int32_t q2 = offset();
            canvas.DrawLine(left + q1, ground, centre, top);
            canvas.DrawLine(left + w - q2, ground, centre, top);
            break;
        }
    }
}

}  // namespace

std::int32_t DrawGate(DecorTarget& target, Random& rng, std::int32_t left, std::int32_t base,
                      const TerrainPiece& piece) {
    Canvas& canvas = target.canvas;
    const DecorBox box = DrawBox(rng, base, {30, 18}, {35, 25});
    const std::int32_t w = box.w, h = box.h, top = box.top;
    const bool onGround = IsGroundBelow(canvas, left, top, w, h, true);
    // The beams stack up to three pen widths above the box, so the free test reaches there.
    std::int32_t p = 0;
    const auto isFree = [&] {
        canvas.SetPenWidth(rng.RndInt(2) + 2);
        p = canvas.GetPenWidth();
        return IsAreaFree(canvas, left, top - 3 * p, w, h - 1 + 3 * p, true);
    };
    return StandDecoration(target, Drawer::Gate, w, onGround, isFree, [&] {
        // Posts lean inwards at the top by up to a pen width.
        canvas.SetPenColour(RandomShade(rng, piece));
        const std::int32_t dL = rng.RndInt(p);
        const std::int32_t dR = rng.RndInt(p);
        canvas.DrawLine(left + dL, top, left, base + 1);
        canvas.DrawLine(left + w - dR, top, left + w, base + 1);

        canvas.SetPenColour(0);
        canvas.SetPenWidth(p + 3);
        if (rng.Chance(0.33)) EraseGap(canvas, rng, left + dL, left, top, h);
        if (rng.Chance(0.33)) EraseGap(canvas, rng, left + w - dR, left + w, top, h);
        canvas.SetPenWidth(p);

        // One end of every beam is lowered by the same tilt.
        std::int32_t tiltL = 0;
        std::int32_t tiltR = 0;
        if (rng.Chance(0.5))
            tiltL = rng.RndInt(p);
        else
            tiltR = rng.RndInt(p);

        canvas.SetPenColour(RandomShade(rng, piece));
        canvas.DrawLine(CLng(left - 0.25 * w), top + tiltL, CLng(left + w + 0.25 * w), top + tiltR);
        canvas.SetPenColour(RandomShade(rng, piece));
        canvas.DrawLine(left + 1, top + tiltL - p, left + w - 1, top + tiltR - p);
        canvas.SetPenColour(RandomShade(rng, piece));
        canvas.DrawLine(CLng(left + 0.15 * w), top + tiltL - 2 * p, CLng(left + w - 0.15 * w),
                        top + tiltR - 2 * p);
        canvas.SetPenColour(RandomShade(rng, piece));
        canvas.DrawLine(CLng(left + 0.25 * w), top + tiltL - 3 * p, CLng(left + w - 0.25 * w),
                        top + tiltR - 3 * p);
    });
}

std::int32_t DrawGlyph(DecorTarget& target, Random& rng, std::int32_t left, std::int32_t base,
                       const TerrainPiece& piece) {
    Canvas& canvas = target.canvas;
    const DecorBox box = DrawBox(rng, base, {10, 12}, {20, 18}, true);
    const std::int32_t w = box.w, h = box.h, top = box.top;
    const bool onGround = IsGroundBelow(canvas, left, top, w, h, true);
    const auto isFree = [&] { return IsAreaFree(canvas, left, top, w, h - 1, true); };
    return StandDecoration(target, Drawer::Glyph, w, onGround, isFree,
                           [&] { DrawGlyphStrokes(canvas, rng, left, base, top, w, h, piece); });
}

}  // namespace orvane

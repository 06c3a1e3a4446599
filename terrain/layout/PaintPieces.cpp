#include "terrain/layout/PaintPieces.h"

#include <string>

#include "core/Numeric.h"
#include "terrain/layout/PaintSky.h"
#include "terrain/layout/PaintTrap.h"

namespace orvane {

namespace {

// Where a pass stands, for the diagnostic of a trapped error. Outline points count from 1.
struct PassPosition {
    std::int32_t lo = 0;
    std::int32_t hi = 0;
    std::int32_t piece = 0;
    std::int32_t point = 0;
    std::int32_t pass = 0;
};

std::string DiagnosticText(const PassPosition& at, const SkyState& sky) {
    const auto n = [](std::int32_t v) { return std::to_string(v); };
    return "TC1 " + n(at.lo) + "\r\nTc2 " + n(at.hi) + "\r\nTlng " + n(at.piece) + "\r\ntlng2 " +
           n(at.point) + "\r\nTC " + n(at.pass) + "\r\nMoonMod X and Y " + n(sky.mx) + " " +
           n(sky.my) + "\r\nMoonRad " + n(sky.rr) + "\r\nSMin & SMax " + n(sky.sx0) + " " +
           n(sky.sw);
}

// One shade pass over the outline: every point may move inwards by the pen width (upper
// points rarely, lower points often, so the land settles downwards), the floor may bulge
// downwards in its first pass, and every point goes to the pending polygon.
void WalkOutline(MapState& map, Random& rng, TerrainPiece& p, const SkyBodyFrame& frame,
                 bool bulgeFloor, PassPosition& at, PaintTrap& trap) {
    Canvas& canvas = map.canvas;
    Outline& pts = p.Points;
    at.lo = 1;
    at.hi = static_cast<std::int32_t>(pts.size());
    std::uint8_t bulge = 0;  // points left in the current bulge
    for (at.point = 1; at.point <= at.hi; ++at.point) {
        const auto j = static_cast<std::size_t>(at.point - 1);
        ShapePoint& q = pts[j];
        const std::uint8_t quadrant = q.Quadrant;
        const float u = rng.Rnd();
        trap.Run([&] {
            const std::int32_t pen = canvas.GetPenWidth();
            if ((quadrant == 1 || quadrant == 2) && u <= CSng(0.2)) q.Y = CheckedAdd(q.Y, pen);
            if ((quadrant == 3 || quadrant == 4) && u <= CSng(0.6)) q.Y = CheckedSub(q.Y, pen);
        });
        // Bulges only where the lower edge runs to the right over three points.
        if (bulgeFloor && quadrant >= 3 && at.point != at.lo && at.point != at.hi) {
            if (bulge != 0) {
                --bulge;
                if (q.Y > frame.cy && pts[j - 1].X < q.X && q.X < pts[j + 1].X) {
                    const double grow = rng.Rnd();
                    trap.Run(
                        [&] { q.Y = CLng((1 + grow) * (static_cast<double>(q.Y) - p.Y) + p.Y); });
                }
            }
            if (bulge == 0 && rng.Chance(0.1))
                bulge = static_cast<std::uint8_t>(rng.RndInt(64) + 32);
        }
        trap.Run([&] { canvas.AddPolyPoint(q.X, q.Y); });
    }
}

void PaintPiece(MapState& map, Random& rng, MapLog& log, std::int32_t i, SkyState& sky,
                PaintTrap& trap) {
    Canvas& canvas = map.canvas;
    TerrainPiece& p = map.pieces[i];
    if (p.Hidden) return;

    const std::int32_t n = rng.RndInt(6) + 1;
    p.Shades.assign(static_cast<std::size_t>(n), 0);
    double f = 0.0;
    trap.Run([&] { canvas.SetPenWidth(CLng((p.Height + p.Width) / 2.0 * 0.1)); });
    if (canvas.GetPenWidth() > n) canvas.SetPenWidth(n);

    SkyBodyFrame frame;
    frame.base = p.BaseColour();
    trap.Run([&] { frame.cx = p.CentreX(); });
    trap.Run([&] { frame.cy = p.CentreY(); });
    trap.Run([&] { frame.hw = CLng(p.Width / 2.0); });
    trap.Run([&] { frame.hh = CLng(p.Height / 2.0); });

    PassPosition at;
    at.piece = i;
    for (at.pass = 1; at.pass <= n; ++at.pass) {
        const bool last = at.pass == n;
        canvas.SetPenWidth(canvas.GetPenWidth() - 1);
        if (canvas.GetPenWidth() < 1) canvas.SetPenWidth(1);

        const bool bulgeFloor = i == map.pieces.FloorIndex() && at.pass == 1;
        WalkOutline(map, rng, p, frame, bulgeFloor, at, trap);

        // Shades run 0.5, 0.55, ... 0.8 of the base colour, darkest first.
        if (f < 0.45) f = 0.45;
        f += 0.05;
        if (f > 0.9) f = 0.9;
        Colour& shade = p.Shades[static_cast<std::size_t>(at.pass - 1)];
        trap.Run([&] { shade = RGB(CInt(p.Red * f), CInt(p.Green * f), CInt(p.Blue * f)); });
        canvas.SetPenColour(shade);

        if (i == map.pieces.MoonIndex()) {
            // The sky body is painted instead of the outline.
            if (last) PaintSkyBody(map, rng, p, frame, sky, trap);
        } else if (!p.IsHole) {
            // Holes take their draws and outline changes but paint nothing here.
            if (last) {
                canvas.SetFillColour(frame.base);
                trap.Run([&] { p.AltFill ? canvas.DrawPolyline() : canvas.FillPolygon(); });
            } else {
                canvas.SetFillColour(canvas.GetPenColour());
                trap.Run([&] { canvas.DrawPolyline(); });
            }
        }
        canvas.ClearPolyPoints();

        if (trap.Failed()) {
            log.Diagnostic(DiagnosticText(at, sky));
            trap.Clear();
        }
    }
}

}  // namespace

void PaintPieces(MapState& map, Random& rng, MapLog& log) {
    SkyState sky;
    PaintTrap trap;
    for (std::int32_t i = 1; i <= map.pieces.Count(); ++i) PaintPiece(map, rng, log, i, sky, trap);
}

}  // namespace orvane

#include "terrain/layout/PaintSky.h"

#include "core/Numeric.h"

namespace orvane {

namespace {

// A black disc over the white one leaves a crescent on the left or the right.
void CutCrescent(MapState& map, Random& rng, const TerrainPiece& moon, const SkyBodyFrame& frame,
                 SkyState& sky, PaintTrap& trap) {
    Canvas& canvas = map.canvas;
    canvas.SetFillColour(0);
    canvas.SetPenColour(0);
    const std::int32_t k = rng.RndInt(2);
    trap.Run([&] { sky.mx = CLng(moon.Width / (k + 3.0)); });
    trap.Run([&] { sky.my = rng.RndInt(CLng(moon.Height / 3.0)); });
    if (rng.Chance(0.5)) sky.mx = -sky.mx;
    trap.Run([&] { sky.rr = rng.RndInt(CLng(moon.Width / 8.0)); });
    trap.Run([&] {
        canvas.DrawCircle(CheckedSub(CheckedAdd(moon.X, frame.hw), sky.mx),
                          CheckedSub(CheckedAdd(moon.Y, frame.hh), sky.my),
                          CheckedAdd(frame.hw, sky.rr));
    });
}

// Rays from the centre to random points of a box reaching a quarter of the sun's size past
// its left and top edges and half past its right and bottom ones.
void DrawRays(MapState& map, Random& rng, const TerrainPiece& sun, const SkyBodyFrame& frame,
              PaintTrap& trap) {
    Canvas& canvas = map.canvas;
    canvas.SetPenColour(frame.base);
    std::int32_t rays = 0;
    trap.Run([&] { rays = CLng(sun.Width / 5.0 + 12 + rng.RndInt(CLng(sun.Width / 4.0))); });
    for (std::int32_t r = 1; r <= rays; ++r) {
        std::int32_t k1 = 0;
        std::int32_t k2 = 0;
        std::int32_t x2 = 0;
        std::int32_t y2 = 0;
        trap.Run([&] { k1 = rng.RndInt(CheckedAdd(sun.Width, frame.hw)); });
        trap.Run([&] { x2 = CLng(sun.X - sun.Width / 4.0 + k1); });
        trap.Run([&] { k2 = rng.RndInt(CheckedAdd(sun.Height, frame.hh)); });
        trap.Run([&] { y2 = CLng(sun.Y - sun.Height / 4.0 + k2); });
        canvas.SetPenWidth(1);
        trap.Run([&] { canvas.DrawLine(frame.cx, frame.cy, x2, y2); });
    }
}

Colour StarColour(Random& rng) {
    const float u = rng.Rnd();
    if (u <= CSng(0.3)) return RGB(CInt(rng.RndInt(135) + 120), 10, 10);
    if (u <= CSng(0.6)) return RGB(10, 10, CInt(rng.RndInt(135) + 120));
    const std::int32_t k1 = rng.RndInt(135);
    const std::int32_t k2 = rng.RndInt(135);
    const std::int32_t k3 = rng.RndInt(135);
    return RGB(CInt(k1 + 120), CInt(k2 + 120), CInt(k3 + 120));
}

// Stars over the width the land spans, from the top down to just below the moon; only on
// pixels still empty when they are drawn.
void DrawStars(MapState& map, Random& rng, const TerrainPiece& moon, SkyState& sky,
               PaintTrap& trap) {
    Canvas& canvas = map.canvas;
    const std::int32_t margin = map.layout.PieceMargin;
    sky.sx0 = moon.ExtentLeft;
    trap.Run([&] { sky.sw = CheckedSub(moon.ExtentRight, sky.sx0); });
    trap.Run([&] { sky.sx0 = CheckedSub(sky.sx0, rng.RndInt(margin)); });
    trap.Run([&] { sky.sw = CheckedAdd(sky.sw, rng.RndInt(margin)); });
    const std::int32_t a = rng.RndInt(16);
    const std::int32_t c = rng.RndInt(16);
    std::int32_t stars = 0;
    trap.Run([&] {
        stars = rng.RndInt(CLng(map.MapWidth / (a + 16.0) + map.MapHeight / (c + 32.0))) + 12;
    });
    for (std::int32_t s = 1; s <= stars; ++s) {
        std::int32_t x = 0;
        std::int32_t y = 0;
        trap.Run([&] { x = CheckedAdd(sky.sx0, rng.RndInt(sky.sw)); });
        trap.Run([&] {
            const std::int32_t below = CheckedAdd(CheckedAdd(moon.Y, moon.Height), margin);
            y = CheckedAdd(rng.RndInt(below), margin);
        });
        if (canvas.GetPixel(x, y) != 0) continue;
        canvas.SetPenWidth(rng.RndInt(2) + 2);
        canvas.SetPenColour(StarColour(rng));
        trap.Run([&] { canvas.DrawPoint(x, y); });
    }
}

}  // namespace

void PaintSkyBody(MapState& map, Random& rng, const TerrainPiece& moon, const SkyBodyFrame& frame,
                  SkyState& sky, PaintTrap& trap) {
    Canvas& canvas = map.canvas;
    if (moon.Body != SkyBody::None) {
        canvas.SetFillColour(frame.base);
        trap.Run([&] { canvas.DrawCircle(frame.cx, frame.cy, frame.hw); });
    }
    if (moon.Body == SkyBody::Moon) CutCrescent(map, rng, moon, frame, sky, trap);
    if (moon.Body == SkyBody::Sun) DrawRays(map, rng, moon, frame, trap);
    // Suns outshine the stars.
    if (moon.Body == SkyBody::None || moon.Body == SkyBody::Moon) {
        if (rng.Chance(0.4)) DrawStars(map, rng, moon, sky, trap);
    }
}

}  // namespace orvane

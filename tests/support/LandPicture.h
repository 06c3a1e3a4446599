#pragma once
// A map-like picture for tests that cannot link the terrain generator: black sky, a floor
// band, shaded blobs of land with textured insides, thin diagonal lines, stars and a sun.
#include <cmath>
#include <cstdint>

#include "canvas/Canvas.h"
#include "core/Numeric.h"
#include "core/Random.h"

namespace orvane::test {

inline void DrawLandPicture(Canvas& canvas, std::int32_t w, std::int32_t h, std::uint32_t seed) {
    Random rng;
    rng.Reset();
    rng.Seed(seed);
    canvas.CreateImage(w, h, 0);
    const auto tint = [&](int r, int g, int b, double f) {
        return RGB(static_cast<int>(r * f), static_cast<int>(g * f), static_cast<int>(b * f));
    };
    // Floor band.
    canvas.SetPenWidth(3);
    canvas.SetPenColour(RGB(84, 56, 16));
    canvas.SetFillColour(RGB(168, 112, 33));
    canvas.DrawRectangle(w / 10, h - h / 12, w - w / 5, h / 12 + 4);
    // Blobs: a ragged polygon each, outlined in a darker shade, textured with small patches.
    const int blobs = 6;
    for (int i = 0; i < blobs; ++i) {
        const int cx = w * (2 * i + 1) / (2 * blobs);
        const int cy = h / 3 + rng.RndInt(h / 3);
        const int rx = w / (2 * blobs) - 4;
        const int ry = h / 8 + rng.RndInt(h / 10);
        const int r = 60 + rng.RndInt(150);
        const int g = 90 + rng.RndInt(120);
        const int b = 20 + rng.RndInt(60);
        canvas.ClearPolyPoints();
        for (int k = 0; k < 24; ++k) {
            const double a = k * 2 * kPi / 24;
            const double f = 0.7 + 0.3 * rng.Rnd();
            canvas.AddPolyPoint(cx + static_cast<int>(rx * f * std::cos(a)),
                                cy + static_cast<int>(ry * f * std::sin(a)));
        }
        canvas.SetPenWidth(2);
        canvas.SetPenColour(tint(r, g, b, 0.55));
        canvas.SetFillColour(RGB(r, g, b));
        canvas.FillPolygon();
        canvas.ClearPolyPoints();
        for (int k = 0; k < 12; ++k) {
            canvas.SetFillColour(tint(r, g, b, 0.7 + 0.05 * rng.RndInt(5)));
            canvas.SetPenColour(canvas.GetFillColour());
            canvas.SetPenWidth(1);
            canvas.DrawEllipse(cx - rx / 2 + rng.RndInt(rx), cy - ry / 3 + rng.RndInt(ry / 2), 9,
                               5);
        }
    }
    // Thin diagonal lines (one-pixel links and stems).
    canvas.SetPenWidth(1);
    canvas.SetPenColour(RGB(30, 140, 30));
    for (int i = 0; i < 5; ++i) {
        const int x = w / 8 + i * w / 6;
        canvas.DrawLine(x, h / 5, x + h / 6, h / 5 + h / 6);
    }
    // Stars and a sun with rays, up in the sky.
    for (int i = 0; i < 30; ++i) {
        canvas.SetPenWidth(2 + rng.RndInt(1));
        canvas.SetPenColour(RGB(120 + rng.RndInt(135), 10, 10));
        canvas.DrawPoint(rng.RndInt(w - 1), rng.RndInt(h / 6));
    }
    canvas.SetPenColour(RGB(230, 230, 10));
    canvas.SetFillColour(RGB(230, 230, 10));
    canvas.DrawCircle(w - w / 8, h / 10, h / 20);
    for (int i = 0; i < 12; ++i) {
        canvas.DrawLine(w - w / 8, h / 10, w - w / 8 - h / 8 + rng.RndInt(h / 4),
                        h / 10 - h / 8 + rng.RndInt(h / 4));
    }
}

// Land pixels without a land 4-neighbour standing where the picture before had no land
// within a pixel: specks of dust that an operation created in the sky.
inline int CountNewSpecks(const Canvas& before, const Canvas& after) {
    int specks = 0;
    for (int y = 0; y < after.GetHeight(); ++y) {
        for (int x = 0; x < after.GetWidth(); ++x) {
            if (after.GetPixel(x, y) == 0) continue;
            if (after.GetPixel(x - 1, y) || after.GetPixel(x + 1, y) || after.GetPixel(x, y - 1) ||
                after.GetPixel(x, y + 1))
                continue;
            bool landBefore = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) landBefore |= before.GetPixel(x + dx, y + dy) != 0;
            specks += !landBefore;
        }
    }
    return specks;
}

// Land pixels without a land 4-neighbour anywhere in the picture.
inline int CountLoosePixels(const Canvas& c) {
    int loose = 0;
    for (int y = 0; y < c.GetHeight(); ++y) {
        for (int x = 0; x < c.GetWidth(); ++x) {
            loose += c.GetPixel(x, y) != 0 && !c.GetPixel(x - 1, y) && !c.GetPixel(x + 1, y) &&
                     !c.GetPixel(x, y - 1) && !c.GetPixel(x, y + 1);
        }
    }
    return loose;
}

}  // namespace orvane::test

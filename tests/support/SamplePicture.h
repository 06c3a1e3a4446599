#pragma once
// Test pictures: blank canvases, and a map-like picture (black sky, shaded land blobs with
// textured patches and a few thick strokes: a few thousand distinct colours, deterministic
// for a given seed) that the tests and the benchmarks share.
#include <algorithm>
#include <cstdint>

#include "canvas/Canvas.h"

namespace orvane::test {

// An empty picture with the given pen and fill colours set.
inline Canvas BlankCanvas(int width, int height, Colour pen, Colour fill) {
    Canvas c;
    c.CreateImage(width, height);
    c.SetPenColour(pen);
    c.SetFillColour(fill);
    return c;
}

// The map-like picture.
inline Canvas SampleMap(int width, int height, std::uint32_t seed = 1) {
    std::uint32_t state = seed * 2654435761u + 12345u;
    auto next = [&](int n) {  // 0..n-1
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(n));
    };
    Canvas c;
    c.CreateImage(width, height);
    const int unit = std::max(1, std::min(width, height) / 40);
    for (int piece = 0; piece < 24; ++piece) {
        const int cx = next(width), cy = height / 3 + next(height * 2 / 3);
        const int rx = unit * (3 + next(8)), ry = unit * (2 + next(5));
        const int r = 40 + next(180), g = 40 + next(180), b = 40 + next(180);
        // Concentric shades, lighter towards the middle.
        for (int s = 0; s < 24; ++s) {
            const int k = s * 3;
            c.SetPenColour(RGB(std::min(255, r + k), std::min(255, g + k), std::min(255, b + k)));
            c.SetFillColour(c.GetPenColour());
            c.SetPenWidth(1);
            c.DrawEllipse(cx - rx * (24 - s) / 24, cy - ry * (24 - s) / 24,
                          2 * rx * (24 - s) / 24 + 1, 2 * ry * (24 - s) / 24 + 1);
        }
        // Texture patches of slightly varied colour.
        for (int t = 0; t < 100; ++t) {
            const Colour tone = RGB(r / 2 + next(80), g / 2 + next(80), b / 2 + next(80));
            c.SetFillColour(tone == 0 ? RGB(1, 1, 1) : tone);
            c.SetPenColour(c.GetFillColour());
            const int px = cx - rx + next(2 * rx + 1), py = cy - ry + next(2 * ry + 1);
            for (int v = 0; v < 5; ++v)
                c.AddPolyPoint(px + next(3 * unit) - unit, py + next(3 * unit) - unit);
            c.FillPolygon();
            c.ClearPolyPoints();
        }
    }
    for (int line = 0; line < 12; ++line) {
        c.SetPenColour(RGB(100 + next(155), 100 + next(155), next(100)));
        c.SetPenWidth(1 + next(unit));
        c.DrawLine(next(width), next(height), next(width), next(height));
    }
    return c;
}

}  // namespace orvane::test

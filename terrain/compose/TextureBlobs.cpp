#include "terrain/compose/TextureBlobs.h"

#include <algorithm>

#include "core/Numeric.h"
#include "terrain/compose/SurfaceSearch.h"
#include "terrain/decor/DrawerSupport.h"

namespace orvane {
namespace {

using decor::RandomShade;

std::int32_t ClampTo(std::int32_t v, std::int32_t hi) {
    return std::clamp(v, 1, std::max(hi, 1));
}

// Picks the blob's start and sets its pen; a hole piece keeps only 1 in 5 of the points far
// from its centre, so its few blobs gather in the middle.
LinePoint StartBlob(MapState& map, Random& rng, const TerrainPiece& piece, Colour base) {
    Canvas& canvas = map.canvas;
    for (;;) {
        const LinePoint around = RandomPointAround(rng, piece, map.layout.PieceMargin);
        const std::int32_t x = ClampTo(around.x, map.MapWidth);
        const std::int32_t y = ClampTo(around.y, map.MapHeight);
        canvas.SetPenColour(RandomShade(rng, piece));
        canvas.SetFillColour(base);
        canvas.SetPenWidth(rng.RndInt(4) + 1);
        if (!piece.IsHole) return {x, y};
        const std::int32_t d = PointDistance(x, y, piece.CentreX(), piece.CentreY());
        if (!((piece.Width + piece.Height) / 3.0 < d)) return {x, y};
        if (!rng.Chance(0.8)) return {x, y};
    }
}

// The walk's step. Small steps keep holeMode; a large one turns it on for a solid piece,
// and 4 times in 5 that is taken back at once together with the large step.
std::int32_t StepSize(Random& rng, const TerrainPiece& piece, std::int32_t nmax, bool& holeMode) {
    std::int32_t n = rng.RndInt(nmax - 1) + 1;
    if (n < 16) return rng.RndInt(11) + 1;
    holeMode = !piece.IsHole;
    if (holeMode && rng.Chance(0.8)) {
        n = rng.RndInt(11) + 1;
        holeMode = false;
    }
    return n;
}

}  // namespace

void DrawTextureBlobs(MapState& map, Random& rng, const TerrainPiece& piece, bool& holeMode) {
    Canvas& canvas = map.canvas;
    const Colour base = piece.IsHole ? 0 : piece.BaseColour();
    const std::int32_t perimeter = CheckedAdd(piece.Width, piece.Height);

    const std::int32_t k1 = rng.RndInt(3);
    const float r = rng.Rnd();
    const std::int32_t blobs = piece.IsHole ? CLng(static_cast<double>(r) / 2 * perimeter + 1)
                                            : CheckedMul(perimeter, k1 + 1);
    const std::int32_t nmax =
        std::clamp(CLng(CheckedMul(piece.Width, piece.Height) / 1000.0), 5, 40);

    for (std::int32_t b = 1; b <= blobs; ++b) {
        auto [x, y] = StartBlob(map, rng, piece, base);
        const std::int32_t n = StepSize(rng, piece, nmax, holeMode);
        const std::int32_t needed = rng.RndInt(2) + 3;

        // Grow only while standing on exactly the base colour (on empty space for a hole
        // piece); the start itself is never a vertex.
        std::int32_t i = 0;
        while (i < 8 && canvas.GetPixel(x, y) == canvas.GetFillColour()) {
            ++i;
            x = ClampTo(x + n - rng.RndInt(2 * n), map.MapWidth);
            y = ClampTo(y + n - rng.RndInt(2 * n), map.MapHeight);
            canvas.AddPolyPoint(x, y);
        }

        if (i >= needed) {
            const std::int32_t shades = piece.ShadeCount();
            if (holeMode)
                canvas.SetPenColour(RandomShade(rng, piece));
            else
                canvas.SetPenColour(piece.Shade(shades - rng.RndInt(CLng(shades * 0.2))));
            const bool outlineOnly = rng.Chance(0.3) && !holeMode;
            if (outlineOnly) {
                canvas.DrawPolyline();
            } else {
                const Colour shade = RandomShade(rng, piece);
                canvas.SetFillColour(holeMode ? 0 : shade);
                canvas.FillPolygon();
                if (holeMode) ++map.stats.holesCut;
            }
            ++map.stats.blobsDrawn;
        }
        canvas.ClearPolyPoints();
    }
    canvas.SetFillColour(base);
}

}  // namespace orvane

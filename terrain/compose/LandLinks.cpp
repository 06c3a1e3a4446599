#include "terrain/compose/LandLinks.h"

#include <algorithm>
#include <optional>

#include "core/Numeric.h"
#include "terrain/compose/LineWalk.h"
#include "terrain/compose/SurfaceSearch.h"
#include "terrain/decor/DrawerSupport.h"

namespace orvane {
namespace {

std::int32_t Area(const TerrainPiece& p) {
    return CheckedMul(p.Width, p.Height);
}

// Up to 128 random points of the piece's box widened by the margin; the first on land wins.
// Land in row or column 0 counts as not found: (0, 0) once marked a failed search.
std::optional<LinePoint> FindLandPoint(const MapState& map, Random& rng, const TerrainPiece& p) {
    for (int tries = 0; tries < 128; ++tries) {
        const LinePoint q = RandomPointAround(rng, p, map.layout.PieceMargin);
        if (map.canvas.GetPixel(q.x, q.y) == 0) continue;
        if (q.x == 0 || q.y == 0) return std::nullopt;
        return q;
    }
    return std::nullopt;
}

// Whether z and p may be linked at all; makes the chance draws as it goes.
bool WantsLink(const MapState& map, Random& rng, const TerrainPiece& z, const TerrainPiece& p) {
    // Small pieces never start a link and draw nothing for it.
    if (Area(z) < 500) return false;
    if (!rng.Chance(z.LinkChance)) return false;
    // A pair that already has links is joined again only 3 times in 10.
    if (z.LinkCount + p.LinkCount >= 1 && rng.Chance(0.7)) return false;

    const std::int32_t d = PointDistance(z.CentreX(), z.CentreY(), p.CentreX(), p.CentreY());
    const std::int32_t q = rng.RndInt(1) + 4;
    if (!(d <= static_cast<double>(std::max(map.MapWidth, map.MapHeight)) / q)) return false;
    return CLng(SlopeAngle(z.CentreX(), z.CentreY(), p.CentreX(), p.CentreY())) <= 60;
}

void DrawLink(MapState& map, Random& rng, const TerrainPiece& palette, LinePoint a, LinePoint b) {
    Canvas& canvas = map.canvas;
    canvas.SetPenColour(decor::RandomShade(rng, palette));
    canvas.SetFillColour(decor::RandomShade(rng, palette));
    canvas.SetPenWidth(1);
    // Ragged upper edge from A to B, straight chord one row below on the way back.
    canvas.AddPolyPoint(a.x, a.y + 1);
    canvas.AddPolyPoint(a.x, a.y - 1);
    AddJaggedLine(canvas, rng, a.x, a.y, b.x, b.y);
    canvas.AddPolyPoint(b.x, b.y - 1);
    canvas.AddPolyPoint(b.x, b.y + 1);
    canvas.FillPolygon();
    canvas.ClearPolyPoints();
    canvas.DrawCircle(a.x, a.y, 2);
    canvas.DrawCircle(b.x, b.y, 2);
}

}  // namespace

void LinkPieces(MapState& map, Random& rng, std::int32_t z) {
    // Only ordinary present pieces take part: the floor and the sky body never do.
    if (z >= map.pieces.MoonIndex()) return;
    const TerrainPiece& zp = map.pieces[z];
    if (zp.Hidden) return;
    for (std::int32_t pi = 1; pi < map.pieces.MoonIndex(); ++pi) {
        TerrainPiece& p = map.pieces[pi];
        if (z == pi || p.Hidden) continue;

        if (!WantsLink(map, rng, zp, p)) continue;
        const auto landA = FindLandPoint(map, rng, zp);
        if (!landA) continue;
        const auto landB = FindLandPoint(map, rng, p);
        if (!landB) continue;

        // Move both ends out to the first empty pixels on the line that joins them.
        const LinePoint a = FirstEmptyOnLine(map.canvas, landA->x, landA->y, landB->x, landB->y);
        const LinePoint b = FirstEmptyOnLine(map.canvas, landB->x, landB->y, a.x, a.y);
        if (CLng(SlopeAngle(a.x, a.y, b.x, b.y)) > 60) continue;
        if (!IsLineEmpty(map.canvas, a.x, a.y, b.x, b.y)) continue;

        // The larger piece lends its colours (z on a tie).
        DrawLink(map, rng, Area(zp) < Area(p) ? p : zp, a, b);
        // The count is a byte; saturate rather than wrap so a busy piece keeps counting as linked.
        if (p.LinkCount < 255) ++p.LinkCount;
        ++map.stats.linksDrawn;
    }
}

}  // namespace orvane

#include "terrain/layout/OutlinePieces.h"

#include "core/Numeric.h"
#include "terrain/shapes/RandomShape.h"

namespace orvane {

void OutlinePieces(MapState& map, Random& rng) {
    for (std::int32_t i = 1; i <= map.pieces.Count(); ++i) {
        TerrainPiece& p = map.pieces[i];
        if (p.Hidden) continue;
        // Large pieces get proportionally more raw points; small ones 80..160.
        const std::int32_t a = rng.RndInt(5);
        const std::int32_t f = CLng(CheckedAdd(p.Height, p.Width) / (a + 1.0));
        // The floor may pinch in at the sides; other pieces keep most of their width.
        const float minX = i == map.pieces.FloorIndex() ? 0.0f : 0.9f;
        const std::int32_t n = f < 80 ? 0 : f;
        p.Points = RandomShape(rng, p.Box(), minX, 0.0f, n);
    }
}

}  // namespace orvane

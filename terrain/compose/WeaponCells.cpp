#include "terrain/compose/WeaponCells.h"

#include "core/Numeric.h"

namespace orvane {

std::int32_t ReserveWeaponSpot(MapState& map, Random& rng, std::int32_t x, std::int32_t y,
                               std::int32_t pieceIndex, const TerrainPiece& piece) {
    Canvas& canvas = map.canvas;
    canvas.SetPenWidth(1);
    const std::int32_t j = map.layout.WeaponIconSize;
    const std::int32_t w = canvas.GetPenWidth();

    // The frame's top edge lies on the surface row y + 1; the cell starts one pen width lower.
    Rect box;
    box.Left = x;
    box.Top = CheckedAdd(y, 2 * w);
    box.Right = CheckedAdd(x, j);
    box.Bottom = CheckedAdd(box.Top, j);

    // Only the cell's top-left corner has to lie within the piece's box.
    if (x > piece.X + piece.Width || box.Top > piece.Y + piece.Height || box.Top < piece.Y ||
        x < piece.X)
        return 0;
    if (FindSpotOverlap(map.WeaponSpots, box)) return 0;

    map.WeaponSpots.push_back(WeaponSpot{box, pieceIndex});
    ++map.stats.spotsReserved;

    canvas.SetPenColour(RandomShade(rng, piece));
    canvas.SetFillColour(piece.BaseColour());
    canvas.DrawRectangle(x - w, box.Top - w, 2 * w + j, 2 * w + j);
    return 2 * w + j;
}

}  // namespace orvane

#include "weapons/WeaponSpots.h"

#include "core/Numeric.h"
#include "resources/Resources.h"

namespace orvane {
namespace {

// Picture pixels of this colour are transparent: the frame's fill shows through them.
constexpr Colour IconKeyColour = RGB(4, 2, 4);

std::int32_t SpotCount(const MapState& map) {
    return static_cast<std::int32_t>(map.WeaponSpots.size());
}

void ReserveSpot(MapState& map, Random& rng, std::int32_t x, std::int32_t y,
                 std::int32_t pieceIndex, const TerrainPiece& piece, std::int32_t& advance) {
    Canvas& canvas = map.canvas;
    const std::int32_t j = map.WeaponIconSize;
    const std::int32_t w = canvas.GetPenWidth();

    // The frame's top edge lies on the surface row y + 1; the cell starts one pen width lower.
    Rect box;
    box.Left = x;
    box.Top = CheckedAdd(y, 2 * w);
    box.Right = CheckedAdd(x, j);
    box.Bottom = CheckedAdd(box.Top, j);

    // Only the cell's top-left corner has to lie within the piece's box.
    advance = 0;
    if (x > piece.X + piece.Width || box.Top > piece.Y + piece.Height || box.Top < piece.Y ||
        x < piece.X)
        return;
    if (FindSpotOverlap(map, box) != -1) return;

    map.WeaponSpots.push_back(WeaponSpot{box, pieceIndex});
    ++map.stats.spotsReserved;

    advance = 2 * w + j;
    canvas.SetPenColour(RandomShade(rng, piece));
    canvas.SetFillColour(piece.BaseColour());
    canvas.DrawRectangle(x - w, box.Top - w, 2 * w + j, 2 * w + j);
}

// Loads picture `number` and turns its background (the colour of its top-left pixel) and
// near-black into the key colour, scaled to a cell of side `size`.
Canvas PreparePicture(int number, std::int32_t size) {
    Canvas picture;
    picture.LoadPicture(WeaponPicturePng(number));
    picture.ReduceColours(0);
    const Colour background = picture.GetPixel(0, 0);
    picture.ReplaceColour(background, IconKeyColour, 1);
    picture.ReplaceColour(0, IconKeyColour, 4);
    picture.ReduceColours(256);
    picture.ResizeImage(size, size);
    return picture;
}

void DrawPicture(MapState& map, Random& rng, WeaponChooser& chooser, std::int32_t x, std::int32_t y,
                 std::int32_t& advance) {
    const int picture = ChooseWeapon(chooser, rng, false, SpotCount(map));
    Canvas& canvas = map.canvas;
    advance = map.WeaponIconSize + canvas.GetPenWidth();

    const Canvas p = PreparePicture(picture, map.WeaponIconSize);
    for (std::int32_t k = 0; k < p.GetHeight(); ++k) {
        for (std::int32_t i = 0; i < p.GetWidth(); ++i) {
            const Colour c = p.GetPixel(i, k);
            if (c != IconKeyColour) canvas.SetPixel(x + i, y + k, c);
        }
    }
    ++map.stats.picturesDrawn;
    map.stats.weapons.push_back(picture == 64 ? 45 : picture);
}

}  // namespace

void PlaceWeaponSpot(MapState& map, Random& rng, WeaponChooser* chooser, std::int32_t x,
                     std::int32_t y, std::int32_t pieceIndex, const TerrainPiece& piece,
                     bool reserve, std::int32_t& advance) {
    map.canvas.SetPenWidth(1);
    if (reserve) {
        ReserveSpot(map, rng, x, y, pieceIndex, piece, advance);
        return;
    }
    if (chooser == nullptr) throw RunError("PlaceWeaponSpot: picture mode needs a weapon chooser");
    DrawPicture(map, rng, *chooser, x, y, advance);
}

std::int32_t FindSpotOverlap(const MapState& map, const Rect& box) {
    // Neighbouring cells may share up to 2 pixels on a side.
    const Rect inner{box.Left + 2, box.Top + 2, box.Right - 2, box.Bottom - 2};
    for (std::size_t i = 0; i < map.WeaponSpots.size(); ++i) {
        if (Intersects(map.WeaponSpots[i].Box, inner)) return static_cast<std::int32_t>(i) + 1;
    }
    return -1;
}

void DrawWeaponSpots(MapState& map, Random& rng, WeaponChooser& chooser) {
    // Quotas are set up even when every cell is under the label and no picture follows.
    ChooseWeapon(chooser, rng, true, SpotCount(map));
    for (const WeaponSpot& spot : map.WeaponSpots) {
        // Frames were drawn before the label existed; a covered cell keeps its empty frame.
        if (Intersects(spot.Box, map.LabelBox)) continue;
        std::int32_t advance = 0;
        PlaceWeaponSpot(map, rng, &chooser, spot.Box.Left, spot.Box.Top, spot.PieceIndex,
                        map.Piece(spot.PieceIndex), false, advance);
    }
}

}  // namespace orvane

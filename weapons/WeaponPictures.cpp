#include "weapons/WeaponPictures.h"

#include "core/Numeric.h"
#include "resources/Resources.h"

namespace orvane {
namespace {

// Picture pixels of this colour are transparent: the frame's fill shows through them.
constexpr Colour IconKeyColour = RGB(4, 2, 4);

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

}  // namespace

std::int32_t DrawWeaponPicture(MapState& map, Random& rng, WeaponChooser& chooser, std::int32_t x,
                               std::int32_t y) {
    const int picture = ChooseWeapon(chooser, rng);
    Canvas& canvas = map.canvas;
    canvas.SetPenWidth(1);
    const std::int32_t size = map.layout.WeaponIconSize;
    const Canvas p = PreparePicture(picture, size);
    for (std::int32_t k = 0; k < p.GetHeight(); ++k) {
        for (std::int32_t i = 0; i < p.GetWidth(); ++i) {
            const Colour c = p.GetPixel(i, k);
            if (c != IconKeyColour) canvas.SetPixel(x + i, y + k, c);
        }
    }
    ++map.stats.picturesDrawn;
    map.stats.weapons.push_back(WeaponOfPicture(picture));
    return size + canvas.GetPenWidth();
}

void DrawWeaponSpots(MapState& map, Random& rng, WeaponChooser& chooser) {
    // Quotas are set up even when every cell is under the label and no picture follows.
    SetUpWeaponQuotas(chooser, rng, static_cast<std::int32_t>(map.WeaponSpots.size()));
    for (const WeaponSpot& spot : map.WeaponSpots) {
        // Frames were drawn before the label existed; a covered cell keeps its empty frame.
        if (Intersects(spot.Box, map.LabelBox)) continue;
        DrawWeaponPicture(map, rng, chooser, spot.Box.Left, spot.Box.Top);
    }
}

}  // namespace orvane

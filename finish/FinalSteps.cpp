#include "finish/FinalSteps.h"

#include <algorithm>
#include <string>

#include "canvas/Geometry.h"
#include "finish/ColourLimit.h"

namespace orvane {
namespace {

// Pieces of land can be cropped to a thin strip; the game needs a minimum picture.
constexpr std::int32_t kMinWidth = 640;
constexpr std::int32_t kMinHeight = 32;

}  // namespace

FinalSteps PlanFinalSteps(const Canvas& canvas, std::int32_t scaleTenths, MapStats& stats,
                          Random& rng, float p) {
    FinalSteps steps;
    steps.crop = geometry::ContentBox(canvas.Pixels(), canvas.GetWidth(), canvas.GetHeight());
    steps.scaleTenths = scaleTenths;
    const std::int32_t width = ScaledSide(scaleTenths, steps.crop.Right - steps.crop.Left);
    const std::int32_t height = ScaledSide(scaleTenths, steps.crop.Bottom - steps.crop.Top);
    steps.patterns = DrawPatternChoices(width, height, stats, rng, p);
    steps.width = std::max(width, kMinWidth);
    steps.height = std::max(height, kMinHeight);
    return steps;
}

IndexedPicture ApplyFinalSteps(Canvas canvas, FinalSteps& steps) {
    const std::size_t room = ScaledPixels(steps.scaleTenths, steps.crop.Right - steps.crop.Left,
                                          steps.crop.Bottom - steps.crop.Top);
    IndexedPicture picture = IndexedPicture::FromCanvas(canvas, room, false);
    canvas = Canvas();
    picture.Crop(steps.crop);
    // The palette is sorted as the picture is enlarged: no pass of its own.
    picture.ResizeImage(ScaledSide(steps.scaleTenths, picture.GetWidth()),
                        ScaledSide(steps.scaleTenths, picture.GetHeight()), true);
    CutPatterns(picture, steps.patterns);
    if (picture.GetWidth() != steps.width || picture.GetHeight() != steps.height)
        picture.ResizeCanvas(steps.width, steps.height, Anchor::BottomCentre);
    return picture;
}

}  // namespace orvane

#include "finish/FinalSteps.h"

#include <algorithm>
#include <string>

#include "core/RunError.h"
#include "finish/ColourLimit.h"

namespace orvane {
namespace {

// Pieces of land can be cropped to a thin strip; the game needs a minimum picture.
constexpr std::int32_t kMinWidth = 640;
constexpr std::int32_t kMinHeight = 32;

}  // namespace

FinalSteps PlanFinalSteps(const IndexedPicture& picture, std::int32_t scaleTenths, MapStats& stats,
                          Random& rng, float p) {
    FinalSteps steps;
    steps.crop = picture.ContentBox();
    steps.scaleTenths = scaleTenths;
    const std::int32_t width = ScaledSide(scaleTenths, steps.crop.Right - steps.crop.Left);
    const std::int32_t height = ScaledSide(scaleTenths, steps.crop.Bottom - steps.crop.Top);
    steps.patterns = DrawPatternChoices(width, height, stats, rng, p);
    steps.width = std::max(width, kMinWidth);
    steps.height = std::max(height, kMinHeight);
    return steps;
}

void ApplyFinalSteps(IndexedPicture& picture, FinalSteps& steps) {
    picture.Crop(steps.crop);
    picture.SortPalette();  // after the crop: fewer pixels to renumber
    ScalePicture(picture, steps.scaleTenths);
    CutPatterns(picture, steps.patterns);
    if (picture.GetWidth() != steps.width || picture.GetHeight() != steps.height)
        picture.ResizeCanvas(steps.width, steps.height, Anchor::BottomCentre);
}

}  // namespace orvane

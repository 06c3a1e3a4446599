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

bool OnlyEnlarges(const FinalSteps& steps) {
    const PatternCuts& cuts = steps.patterns;
    const std::int32_t w = steps.crop.Right - steps.crop.Left;
    const std::int32_t h = steps.crop.Bottom - steps.crop.Top;
    return !cuts.replay && w > 0 && h > 0 && cuts.width >= w && cuts.height >= h &&
           steps.width >= cuts.width && steps.height >= cuts.height;
}

FinalSteps PlanFinalSteps(const Canvas& canvas, std::int32_t scaleTenths, MapStats& stats,
                          Random& rng, float p) {
    FinalSteps steps;
    steps.crop = geometry::ContentBox(canvas.Pixels(), canvas.GetWidth(), canvas.GetHeight());
    const std::int32_t width = ScaledSide(scaleTenths, steps.crop.Right - steps.crop.Left);
    const std::int32_t height = ScaledSide(scaleTenths, steps.crop.Bottom - steps.crop.Top);
    steps.patterns = DrawPatternChoices(width, height, stats, rng, p);
    steps.width = std::max(width, kMinWidth);
    steps.height = std::max(height, kMinHeight);
    return steps;
}

IndexedPicture PaletteIndices(Canvas canvas, const FinalSteps& steps,
                              std::vector<int>& paletteSizes) {
    // The last remap onto the palette is made as the palette indices are.
    ColourMap colours;
    if (steps.limit.pending) ApplyColourLimit(canvas, steps.limit, paletteSizes, &colours);
    // Only the crop is turned into indices, with room to be enlarged in place unless it is
    // enlarged row by row.
    const std::size_t room = OnlyEnlarges(steps)
                                 ? 0
                                 : static_cast<std::size_t>(steps.patterns.width) *
                                       static_cast<std::size_t>(steps.patterns.height);
    return IndexedPicture::FromCanvas(canvas, steps.crop, room, false,
                                      colours.Size() > 0 ? &colours : nullptr);
}

IndexedPicture ApplyFinalSteps(IndexedPicture picture, FinalSteps& steps) {
    // The palette is sorted as the picture is enlarged: no pass of its own.
    picture.ResizeImage(steps.patterns.width, steps.patterns.height, true);
    CutPatterns(picture, steps.patterns);
    if (picture.GetWidth() != steps.width || picture.GetHeight() != steps.height)
        picture.ResizeCanvas(steps.width, steps.height, Anchor::BottomCentre);
    return picture;
}

std::optional<EnlargedRows> FinishedRows(const IndexedPicture& picture, const FinalSteps& steps) {
    if (!OnlyEnlarges(steps)) return std::nullopt;
    // As ApplyFinalSteps places the picture.
    return std::optional<EnlargedRows>(std::in_place, picture, steps.patterns.width,
                                       steps.patterns.height, steps.width, steps.height,
                                       Anchor::BottomCentre);
}

}  // namespace orvane

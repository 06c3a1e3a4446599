#include "finish/FinalSteps.h"

#include <algorithm>
#include <string>

#include "finish/ColourLimit.h"
#include "raster/Geometry.h"

namespace orvane {
namespace {

// Pieces of land can be cropped to a thin strip; the game needs a minimum picture.
constexpr std::int32_t kMinWidth = 640;
constexpr std::int32_t kMinHeight = 32;

// Whether the last steps only enlarge the crop and add empty space around it (no cut
// patterns): the finished picture can then be made row by row as it is written.
bool OnlyEnlarges(const FinalSteps& steps) {
    const PatternCuts& cuts = steps.patterns;
    const std::int32_t w = steps.crop.Right - steps.crop.Left;
    const std::int32_t h = steps.crop.Bottom - steps.crop.Top;
    return !cuts.replay && w > 0 && h > 0 && cuts.width >= w && cuts.height >= h &&
           steps.width >= cuts.width && steps.height >= cuts.height;
}

std::size_t PixelCount(std::int32_t width, std::int32_t height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

// Pixels of room PaletteIndices keeps: enough to enlarge the crop in place, unless it is
// enlarged row by row.
std::size_t IndicesRoom(const FinalSteps& steps) {
    return OnlyEnlarges(steps) ? 0 : PixelCount(steps.patterns.width, steps.patterns.height);
}

}  // namespace

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
                              std::vector<int>& paletteSizes, unsigned threads) {
    // The last remap onto the palette is made as the palette indices are.
    ColourMap colours;
    if (steps.limit.pending) ApplyColourLimit(canvas, steps.limit, paletteSizes, &colours, threads);
    // Only the crop is turned into indices.
    return IndexedPicture::FromColours(canvas, steps.crop, IndicesRoom(steps), false,
                                       colours.Size() > 0 ? &colours : nullptr, threads);
}

std::size_t IndicesBytes(const FinalSteps& steps) {
    const Rect& crop = steps.crop;
    return std::max(PixelCount(crop.Right - crop.Left, crop.Bottom - crop.Top),
                    IndicesRoom(steps)) *
           sizeof(IndexedPicture::Pixel);
}

std::size_t LastStepsBytes(const FinalSteps& steps) {
    // ApplyFinalSteps adds empty space in a new picture when the enlarged one is smaller than
    // the minimum.
    const bool grows = steps.width != steps.patterns.width || steps.height != steps.patterns.height;
    const std::size_t minimum =
        !OnlyEnlarges(steps) && grows ? PixelCount(steps.width, steps.height) : 0;
    return IndicesBytes(steps) + minimum * sizeof(IndexedPicture::Pixel);
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

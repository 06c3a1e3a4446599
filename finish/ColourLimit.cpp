#include "finish/ColourLimit.h"

#include <array>

#include "canvas/ColourReduction.h"
#include "core/Numeric.h"

namespace orvane {
namespace {

// First reduction's colour count: the first row whose bound the draw does not exceed.
std::int32_t DrawColourCount(Random& rng) {
    constexpr std::array<float, 5> kBounds = {0.16f, 0.32f, 0.48f, 0.64f, 0.8f};
    constexpr std::array<std::int32_t, 6> kCounts = {16, 32, 64, 128, 216, 256};
    const float r = rng.Rnd();
    for (std::size_t i = 0; i < kBounds.size(); ++i)
        if (r <= kBounds[i]) return kCounts[i];
    return kCounts.back();
}

void Reduce(MapState& map, std::int32_t count, ReduceOptions options = {}) {
    map.stats.paletteSizes.push_back(map.canvas.ReduceColoursCounted(count, options));
}

}  // namespace

void LimitPalette(MapState& map, Random& rng, bool effectsFlag, bool rareFlag,
                  ColourMap* deferred) {
    // Maps without effects get a drawn colour count and the median-cut palette (maps with
    // effects stay in full colour here); rare maps are dithered.
    const ReduceOptions first{.medianCut = !effectsFlag, .dither = rareFlag};
    std::int32_t count = 0;
    if (!effectsFlag) {
        // Walk-for-weapons maps keep at least 64 colours for the weapon pictures.
        do {
            count = DrawColourCount(rng);
        } while (map.WalkForWeapons && count < 64);
    }
    // Then at most 64 colours; a picture already within them is left alone, and its count
    // repeated.
    for (const int left : map.canvas.ReduceColoursThenLimit(count, first, 64, deferred))
        map.stats.paletteSizes.push_back(left);
    // A deferred mapping keeps empty pixels empty and land pixels land.
    if (map.canvas.GetPixel(1, 1) == 0) return;
    if (deferred && deferred->Size() > 0) {
        ApplyMapping(map.canvas.Pixels(), *deferred);
        *deferred = ColourMap();
    }
    // The corner must be empty: its colour becomes empty everywhere. Back to full colour
    // first; that changes no pixel, so the colour count stays as it was.
    map.canvas.ReduceColours(0);
    map.stats.paletteSizes.push_back(map.stats.paletteSizes.back());
    const Colour corner = map.canvas.GetPixel(1, 1);
    map.canvas.ReplaceColour(corner, 0, 1);
    Reduce(map, 64);
}

namespace {

// The same enlargement for the full-colour canvas and the palette-index picture.
template <class Picture>
void Enlarge(Picture& picture, std::int32_t scaleTenths) {
    picture.ResizeImage(ScaledSide(scaleTenths, picture.GetWidth()),
                        ScaledSide(scaleTenths, picture.GetHeight()));
}

}  // namespace

void ScalePicture(MapState& map) {
    Enlarge(map.canvas, map.ScaleTenths);
}

void ScalePicture(IndexedPicture& picture, std::int32_t scaleTenths) {
    Enlarge(picture, scaleTenths);
}

std::int32_t ScaledSide(std::int32_t scaleTenths, std::int32_t side) {
    std::int32_t n = CLng(scaleTenths / 10.0 * side);
    n -= n % 8;
    return n < 8 ? 8 : n;
}

}  // namespace orvane

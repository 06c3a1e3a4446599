#include "finish/ColourLimit.h"

#include <array>

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

ColourLimitPlan LimitPaletteLater(MapState& map, Random& rng, bool effectsFlag, bool rareFlag) {
    // Maps without effects get a drawn colour count and the median-cut palette (maps with
    // effects stay in full colour here); rare maps are dithered.
    ColourLimitPlan plan;
    plan.first = {.medianCut = !effectsFlag, .dither = rareFlag};
    if (!effectsFlag) {
        // Walk-for-weapons maps keep at least 64 colours for the weapon pictures.
        do {
            plan.count = DrawColourCount(rng);
        } while (map.WalkForWeapons && plan.count < 64);
    }
    // The reductions keep empty pixels empty and land pixels land, so only a land corner
    // needs them done here.
    plan.pending = map.canvas.GetPixel(1, 1) == 0;
    if (plan.pending) return plan;
    ApplyColourLimit(map.canvas, plan, map.stats.paletteSizes);
    // The corner must be empty: its colour becomes empty everywhere. Back to full colour
    // first; that changes no pixel, so the colour count stays as it was.
    map.canvas.ReduceColours(0);
    map.stats.paletteSizes.push_back(map.stats.paletteSizes.back());
    const Colour corner = map.canvas.GetPixel(1, 1);
    map.canvas.ReplaceColour(corner, 0, 1);
    Reduce(map, 64);
    return plan;
}

void ApplyColourLimit(Canvas& canvas, const ColourLimitPlan& plan, std::vector<int>& paletteSizes,
                      ColourMap* deferred, unsigned threads) {
    // At most 64 colours; a picture already within them is left alone, and its count repeated.
    for (const int left :
         canvas.ReduceColoursThenLimit(plan.count, plan.first, 64, deferred, threads))
        paletteSizes.push_back(left);
}

void ScalePicture(IndexedPicture& picture, std::int32_t scaleTenths) {
    picture.ResizeImage(ScaledSide(scaleTenths, picture.GetWidth()),
                        ScaledSide(scaleTenths, picture.GetHeight()));
}

std::int32_t ScaledSide(std::int32_t scaleTenths, std::int32_t side) {
    std::int32_t n = CLng(scaleTenths / 10.0 * side);
    n -= n % 8;
    return n < 8 ? 8 : n;
}

}  // namespace orvane

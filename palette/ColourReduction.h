#pragma once
// Pieces of the colour reduction: the land histogram, palette choices and the two ways of
// mapping pixels onto a palette. Palettes passed here never contain black (0); black pixels
// are left alone and land pixels only ever take palette colours.
#include <cstdint>
#include <span>
#include <vector>

#include "core/Colour.h"
#include "palette/ColourMap.h"

namespace orvane {

struct HistogramEntry {
    Colour colour;
    std::uint32_t count;
};

// Distinct non-black colours with their pixel counts, in ascending colour order. With threads
// >= 2 a large picture is counted in two halves at once. Measured 2026-12 (2-core VM, 7-11
// alternated pairs): nothing measurable alone, nor with the indexing's split (kTwoThreadsFrom
// made ~std::size_t{0}: 64 seeded maps 1.68 s → 1.73 s wall, 1.82 s → 1.78 s CPU, quiet).
// Off: in ColourReduction.cpp, `threads < 2 || pixels.size() < kTwoThreadsFrom<Colour>` →
// `true`.
std::vector<HistogramEntry> LandHistogram(std::span<const Colour> pixels, bool& hasBlack,
                                          unsigned threads = 1);

// The count-weighted mean of the land colours; the most common one if the mean is black.
Colour MeanColour(const std::vector<HistogramEntry>& land);

// At most `slots` colours by median cut: the box with the largest weighted error is split at
// the weighted median of its widest channel until there are enough boxes.
std::vector<Colour> MedianCutPalette(const std::vector<HistogramEntry>& land, int slots);

// Each land colour of `land` with its nearest palette colour. `mapped` receives the land
// histogram the picture has once mapped (what LandHistogram would then find), worked out
// from `land` without a pass over the pixels.
ColourMap PaletteMapping(const std::vector<HistogramEntry>& land,
                         const std::vector<Colour>& palette, std::vector<HistogramEntry>& mapped);
// Every land pixel takes its colour's value in `mapping`, which holds every land colour.
void ApplyMapping(std::span<Colour> pixels, const ColourMap& mapping);

// Floyd-Steinberg error diffusion over land pixels only: error neither comes from nor goes
// to empty space, so the sky stays clean and the result depends only on the picture.
void DitherToPalette(std::span<Colour> pixels, std::int32_t width, std::int32_t height,
                     const std::vector<Colour>& palette);

}  // namespace orvane

// Colour reduction. The palette is chosen from the picture's colour histogram (maps have
// only hundreds to thousands of distinct colours, so this is far cheaper than quantizing the
// pixels), then every distinct colour is mapped once through a lookup table. Empty space
// (black) is a fixed palette colour and no land colour may ever map to it: black pixels
// stay 0 and land never turns into 0.
#include <libimagequant.h>

#include <algorithm>
#include <array>
#include <memory>
#include <span>
#include <vector>

#include "canvas/Canvas.h"
#include "core/RunError.h"
#include "palette/ColourReduction.h"

namespace orvane {
namespace {

struct AttrFree {
    void operator()(liq_attr* a) const { liq_attr_destroy(a); }
};
struct HistFree {
    void operator()(liq_histogram* h) const { liq_histogram_destroy(h); }
};
struct ResultFree {
    void operator()(liq_result* r) const { liq_result_destroy(r); }
};

// libimagequant's choice of at most `slots` land colours (plus black when kept). Speed 8 and
// above skips the k-means refinement, whose per-thread sums would make the palette depend on
// the number of OpenMP threads.
std::vector<Colour> QuantizedPalette(const std::vector<HistogramEntry>& land, bool keepBlack,
                                     int slots) {
    std::unique_ptr<liq_attr, AttrFree> attr(liq_attr_create());
    if (!attr) throw RunError("ReduceColours: out of memory");
    if (liq_set_max_colors(attr.get(), slots + (keepBlack ? 1 : 0)) != LIQ_OK ||
        liq_set_speed(attr.get(), 8) != LIQ_OK)
        throw RunError("ReduceColours: bad quantizer settings");
    std::unique_ptr<liq_histogram, HistFree> hist(liq_histogram_create(attr.get()));
    if (!hist) throw RunError("ReduceColours: out of memory");
    std::vector<liq_histogram_entry> entries;
    entries.reserve(land.size());
    for (const HistogramEntry& e : land) {
        entries.push_back({{static_cast<unsigned char>(RedOf(e.colour)),
                            static_cast<unsigned char>(GreenOf(e.colour)),
                            static_cast<unsigned char>(BlueOf(e.colour)), 255},
                           e.count});
    }
    if (liq_histogram_add_colors(hist.get(), attr.get(), entries.data(),
                                 static_cast<int>(entries.size()), 0) != LIQ_OK)
        throw RunError("ReduceColours: histogram refused");
    if (keepBlack && liq_histogram_add_fixed_color(hist.get(), {0, 0, 0, 255}, 0) != LIQ_OK)
        throw RunError("ReduceColours: histogram refused black");
    liq_result* raw = nullptr;
    if (liq_histogram_quantize(hist.get(), attr.get(), &raw) != LIQ_OK || !raw)
        throw RunError("ReduceColours: quantization failed");
    std::unique_ptr<liq_result, ResultFree> result(raw);
    const liq_palette* palette = liq_get_palette(result.get());
    std::vector<Colour> out;
    for (unsigned i = 0; i < palette->count; ++i) {
        const liq_color& c = palette->entries[i];
        out.push_back(RGB(c.r, c.g, c.b));
    }
    return out;
}

// The picture's colours: the land histogram and whether black occurs.
struct Census {
    bool hasBlack = false;
    std::vector<HistogramEntry> land;

    explicit Census(std::span<const Colour> pixels, unsigned threads = 1) {
        land = LandHistogram(pixels, hasBlack, threads);
    }
    int Distinct() const { return static_cast<int>(land.size()) + (hasBlack ? 1 : 0); }
};

// ReduceColoursCounted for count > 0 on pixels described by `census`, which is brought up to
// date with the result (from the remap's own bookkeeping, or a new pass after dithering).
// With `deferred`, the pixels are those mapped through `deferred` when it is not empty, and a
// remap is added to it instead of made.
int Reduce(std::span<Colour> pixels, std::int32_t width, std::int32_t height, Census& census,
           std::int32_t count, ReduceOptions options, ColourMap* deferred = nullptr) {
    const std::vector<HistogramEntry>& land = census.land;
    const bool hasBlack = census.hasBlack;
    if (census.Distinct() <= count) return census.Distinct();

    // Land needs at least one colour of its own even when `count` leaves it none: turning land
    // into empty space would break the map, so that invariant wins over the count.
    const int slots = std::clamp(count - (hasBlack ? 1 : 0), 1, hasBlack ? 255 : 256);
    std::vector<Colour> palette;
    if (slots == 1)
        palette = {MeanColour(land)};
    else if (options.medianCut)
        palette = MedianCutPalette(land, slots);
    else
        palette = QuantizedPalette(land, hasBlack, slots);
    // Black is never a land colour; without any other entry fall back to the mean.
    std::erase(palette, Colour{0});
    if (palette.empty()) palette = {MeanColour(land)};

    if (options.dither) {
        // Dithering works on the pixels themselves: they must be final first.
        if (deferred && deferred->Size() > 0) {
            ApplyMapping(pixels, *deferred);
            *deferred = ColourMap();
        }
        DitherToPalette(pixels, width, height, palette);
        census = Census(pixels);
    } else {
        // Black pixels stay black and no land pixel becomes black.
        std::vector<HistogramEntry> mapped;
        ColourMap mapping = PaletteMapping(land, palette, mapped);
        if (!deferred)
            ApplyMapping(pixels, mapping);
        else if (deferred->Size() == 0)
            *deferred = std::move(mapping);
        else
            deferred->ForEach([&](Colour, std::uint32_t& to) { to = *mapping.Find(to); });
        census.land = std::move(mapped);
    }
    return census.Distinct();
}

}  // namespace

void Canvas::ReduceColours(std::int32_t count, ReduceOptions options) {
    // 0 is full colour: the pixels are already exact, and nothing needs counting.
    if (count != 0) ReduceColoursCounted(count, options);
}

int Canvas::ReduceColoursCounted(std::int32_t count, ReduceOptions options) {
    if (count < 0) throw RunError("ReduceColours: negative colour count");
    if (count == 0) return CountColours();
    Census census(pixels_);
    return Reduce(pixels_, width_, height_, census, count, options);
}

std::array<int, 2> Canvas::ReduceColoursThenLimit(std::int32_t count, ReduceOptions options,
                                                  std::int32_t limit, ColourMap* deferred,
                                                  unsigned threads) {
    if (count < 0 || limit < 0) throw RunError("ReduceColours: negative colour count");
    if (deferred) *deferred = ColourMap();
    Census census(pixels_, threads);
    const int first = count == 0
                          ? census.Distinct()
                          : Reduce(pixels_, width_, height_, census, count, options, deferred);
    if (first <= limit) return {first, first};
    return {first,
            limit == 0 ? first : Reduce(pixels_, width_, height_, census, limit, {}, deferred)};
}

}  // namespace orvane

#include "palette/ColourReduction.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "palette/ColourMap.h"
#include "pixels/AtOnce.h"
#include "pixels/ByteRuns.h"

namespace orvane {
namespace {

// Squared distance with rough perceptual weights (green counts most, blue least but one).
std::int64_t Distance(int r, int g, int b, Colour p) {
    const std::int64_t dr = r - RedOf(p), dg = g - GreenOf(p), db = b - BlueOf(p);
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
}

// Nearest palette colour (ties to the lower index) for any colour. The colour cube is cut
// into 8 x 8 x 8 cells; for a cell, only entries that can be nearest to some colour inside it
// are kept (those not farther than the best worst case), found when the cell is first asked.
class NearestColour {
  public:
    explicit NearestColour(const std::vector<Colour>& palette)
        : palette_(palette), start_(kCells * kCells * kCells, -1) {}

    std::size_t Find(int r, int g, int b) {
        const std::size_t cell =
            static_cast<std::size_t>(((r >> 3) * kCells + (g >> 3)) * kCells + (b >> 3));
        if (start_[cell] < 0) Prepare(cell, r >> 3, g >> 3, b >> 3);
        const auto begin = static_cast<std::size_t>(start_[cell]);
        std::size_t best = candidates_[begin];
        std::int64_t bestDistance = Distance(r, g, b, palette_[best]);
        for (std::size_t i = begin + 1; candidates_[i] != kEnd && bestDistance > 0; ++i) {
            const std::int64_t d = Distance(r, g, b, palette_[candidates_[i]]);
            if (d < bestDistance) {
                bestDistance = d;
                best = candidates_[i];
            }
        }
        return best;
    }

  private:
    static constexpr int kCells = 32;
    static constexpr std::uint16_t kEnd = 0xFFFF;

    // Weighted squared distances from a channel value to the nearest and farthest of lo..hi.
    static void Reach(int v, int lo, int hi, int weight, std::int64_t& near, std::int64_t& far) {
        const std::int64_t in = v < lo ? lo - v : (v > hi ? v - hi : 0);
        const std::int64_t out = std::max(v - lo, hi - v);
        near += weight * in * in;
        far += weight * out * out;
    }

    void Prepare(std::size_t cell, int rc, int gc, int bc) {
        std::vector<std::int64_t>& near = near_;
        near.assign(palette_.size(), 0);
        std::int64_t bound = INT64_MAX;
        for (std::size_t i = 0; i < palette_.size(); ++i) {
            const Colour p = palette_[i];
            std::int64_t far = 0;
            Reach(RedOf(p), rc * 8, rc * 8 + 7, 2, near[i], far);
            Reach(GreenOf(p), gc * 8, gc * 8 + 7, 4, near[i], far);
            Reach(BlueOf(p), bc * 8, bc * 8 + 7, 3, near[i], far);
            bound = std::min(bound, far);
        }
        start_[cell] = static_cast<std::int32_t>(candidates_.size());
        for (std::size_t i = 0; i < palette_.size(); ++i)
            if (near[i] <= bound) candidates_.push_back(static_cast<std::uint16_t>(i));
        candidates_.push_back(kEnd);
    }

    const std::vector<Colour>& palette_;
    std::vector<std::int32_t> start_;
    std::vector<std::uint16_t> candidates_;
    std::vector<std::int64_t> near_;  // scratch for Prepare
};

// Adds each land pixel to its colour's count; notes whether black occurs.
void CountLand(std::span<const Colour> pixels, ColourMap& counts, bool& hasBlack) {
    std::size_t i = 0;
    while (i < pixels.size()) {
        const Colour c = pixels[i];
        const std::size_t end = SameUntil(pixels.data(), i + 1, pixels.size(), c);
        if (c == 0)
            hasBlack = true;
        else
            counts.At(c) += static_cast<std::uint32_t>(end - i);
        i = end;
    }
}

// The counted colours as histogram entries in ascending colour order.
std::vector<HistogramEntry> SortedHistogram(const ColourMap& counts) {
    std::vector<HistogramEntry> out;
    out.reserve(counts.Size());
    counts.ForEach([&](Colour c, std::uint32_t n) { out.push_back({c, n}); });
    std::sort(out.begin(), out.end(),
              [](const HistogramEntry& x, const HistogramEntry& y) { return x.colour < y.colour; });
    return out;
}

}  // namespace

std::vector<HistogramEntry> LandHistogram(std::span<const Colour> pixels, bool& hasBlack,
                                          unsigned threads) {
    ColourMap counts(4096);
    hasBlack = false;
    if (threads < 2 || pixels.size() < kTwoThreadsFrom<Colour>) {
        CountLand(pixels, counts, hasBlack);
        return SortedHistogram(counts);
    }
    // Halves counted at once, then added up: a run across the cut counts in both.
    ColourMap later(4096);
    bool laterBlack = false;
    const std::size_t half = pixels.size() / 2;
    AtOnce([&] { CountLand(pixels.first(half), counts, hasBlack); },
           [&] { CountLand(pixels.subspan(half), later, laterBlack); });
    later.ForEach([&](Colour c, std::uint32_t n) { counts.At(c) += n; });
    hasBlack = hasBlack || laterBlack;
    return SortedHistogram(counts);
}

Colour MeanColour(const std::vector<HistogramEntry>& land) {
    double r = 0, g = 0, b = 0, n = 0;
    const HistogramEntry* common = &land.front();
    for (const HistogramEntry& e : land) {
        r += double(e.count) * RedOf(e.colour);
        g += double(e.count) * GreenOf(e.colour);
        b += double(e.count) * BlueOf(e.colour);
        n += e.count;
        if (e.count > common->count) common = &e;
    }
    const Colour mean =
        RGB(static_cast<int>(std::lround(r / n)), static_cast<int>(std::lround(g / n)),
            static_cast<int>(std::lround(b / n)));
    return mean != 0 ? mean : common->colour;
}

ColourMap PaletteMapping(const std::vector<HistogramEntry>& land,
                         const std::vector<Colour>& palette, std::vector<HistogramEntry>& mapped) {
    NearestColour nearest(palette);
    ColourMap to(land.size());
    ColourMap counts(palette.size());
    for (const HistogramEntry& e : land) {
        const Colour c =
            palette[nearest.Find(RedOf(e.colour), GreenOf(e.colour), BlueOf(e.colour))];
        to.At(e.colour) = c;
        counts.At(c) += e.count;
    }
    // Distinct colours, not entries: a palette may hold one colour twice.
    mapped = SortedHistogram(counts);
    return to;
}

void ApplyMapping(std::span<Colour> pixels, const ColourMap& mapping) {
    Colour from = 0, mapped = 0;
    for (Colour& p : pixels) {
        if (p == 0) continue;
        if (p != from) {
            from = p;
            mapped = *mapping.Find(p);
        }
        p = mapped;
    }
}

void DitherToPalette(std::span<Colour> pixels, std::int32_t width, std::int32_t height,
                     const std::vector<Colour>& palette) {
    const auto w = static_cast<std::size_t>(width);
    // Error in sixteenths for this row and the next, three channels, one spare column each side.
    std::vector<int> here((w + 2) * 3, 0), below((w + 2) * 3, 0);
    NearestColour nearest(palette);
    for (std::int32_t y = 0; y < height; ++y) {
        Colour* row = pixels.data() + static_cast<std::size_t>(y) * w;
        const Colour* next = y + 1 < height ? row + w : nullptr;
        std::fill(below.begin(), below.end(), 0);
        for (std::size_t x = 0; x < w; ++x) {
            if (row[x] == 0) continue;
            int* e = &here[(x + 1) * 3];
            const int c[3] = {RedOf(row[x]), GreenOf(row[x]), BlueOf(row[x])};
            int want[3];
            for (int k = 0; k < 3; ++k)
                want[k] = std::clamp(c[k] + (e[k] >= 0 ? e[k] + 8 : e[k] - 8) / 16, 0, 255);
            const Colour got = palette[nearest.Find(want[0], want[1], want[2])];
            row[x] = got;
            const int err[3] = {want[0] - RedOf(got), want[1] - GreenOf(got),
                                want[2] - BlueOf(got)};
            // Only land neighbours take a share; the share meant for empty space is dropped.
            const bool right = x + 1 < w && row[x + 1] != 0;
            const bool downLeft = next && x > 0 && next[x - 1] != 0;
            const bool down = next && next[x] != 0;
            const bool downRight = next && x + 1 < w && next[x + 1] != 0;
            for (int k = 0; k < 3; ++k) {
                if (right) here[(x + 2) * 3 + k] += err[k] * 7;
                if (downLeft) below[x * 3 + k] += err[k] * 3;
                if (down) below[(x + 1) * 3 + k] += err[k] * 5;
                if (downRight) below[(x + 2) * 3 + k] += err[k];
            }
        }
        std::swap(here, below);
    }
}

}  // namespace orvane

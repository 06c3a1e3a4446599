// A median-cut palette: an alternative to the quantizer's that keeps small, distinct
// colour groups (a lone flower colour, a bright sign) as entries of their own more often.
#include <algorithm>

#include "palette/ColourReduction.h"

namespace orvane {
namespace {

struct Box {
    std::size_t begin, end;  // range of entries
    double error;            // count-weighted squared distance from the box mean
    int channel;             // widest channel: 0 red, 1 green, 2 blue
};

int Channel(Colour c, int k) {
    return k == 0 ? RedOf(c) : k == 1 ? GreenOf(c) : BlueOf(c);
}

Box Measure(const std::vector<HistogramEntry>& e, std::size_t begin, std::size_t end) {
    double n = 0, sum[3] = {0, 0, 0}, sq[3] = {0, 0, 0};
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    for (std::size_t i = begin; i < end; ++i)
        for (int k = 0; k < 3; ++k) {
            const int v = Channel(e[i].colour, k);
            sum[k] += double(e[i].count) * v;
            sq[k] += double(e[i].count) * v * v;
            lo[k] = std::min(lo[k], v);
            hi[k] = std::max(hi[k], v);
        }
    for (std::size_t i = begin; i < end; ++i) n += e[i].count;
    Box box{begin, end, 0, 0};
    for (int k = 0; k < 3; ++k) {
        box.error += sq[k] - sum[k] * sum[k] / n;
        if (hi[k] - lo[k] > hi[box.channel] - lo[box.channel]) box.channel = k;
    }
    if (end - begin < 2) box.error = -1;  // cannot split
    return box;
}

}  // namespace

std::vector<Colour> MedianCutPalette(const std::vector<HistogramEntry>& land, int slots) {
    std::vector<HistogramEntry> e = land;
    std::vector<Box> boxes{Measure(e, 0, e.size())};
    while (static_cast<int>(boxes.size()) < slots) {
        auto it = std::max_element(boxes.begin(), boxes.end(),
                                   [](const Box& a, const Box& b) { return a.error < b.error; });
        if (it->error <= 0) break;
        const Box box = *it;
        const int k = box.channel;
        std::sort(e.begin() + box.begin, e.begin() + box.end,
                  [k](const HistogramEntry& a, const HistogramEntry& b) {
                      const int va = Channel(a.colour, k), vb = Channel(b.colour, k);
                      return va != vb ? va < vb : a.colour < b.colour;
                  });
        double total = 0;
        for (std::size_t i = box.begin; i < box.end; ++i) total += e[i].count;
        double seen = 0;
        std::size_t cut = box.begin + 1;
        for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
            seen += e[i].count;
            cut = i + 1;
            if (seen * 2 >= total) break;
        }
        *it = Measure(e, box.begin, cut);
        boxes.push_back(Measure(e, cut, box.end));
    }
    std::vector<Colour> palette;
    for (const Box& box : boxes) {
        std::vector<HistogramEntry> part(e.begin() + box.begin, e.begin() + box.end);
        palette.push_back(MeanColour(part));
    }
    return palette;
}

}  // namespace orvane

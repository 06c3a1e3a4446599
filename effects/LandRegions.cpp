// Where land is: distance to the sky, and the sweep of loose specks after cuts and moves.
#include <algorithm>

#include "effects/EffectSupport.h"

namespace orvane::fx {

std::vector<std::uint8_t> DistanceToEmpty(const Image& img, int cap) {
    const int w = img.w;
    const int h = img.h;
    const auto capped = static_cast<std::uint8_t>(std::clamp(cap, 0, 255));
    std::vector<std::uint8_t> d(img.Size());
    const auto idx = [w](int x, int y) {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
               static_cast<std::size_t>(x);
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (img.px[idx(x, y)] == 0) {
                d[idx(x, y)] = 0;
                continue;
            }
            int v = capped;
            if (x > 0) v = std::min(v, d[idx(x - 1, y)] + 1);
            if (y > 0) v = std::min(v, d[idx(x, y - 1)] + 1);
            d[idx(x, y)] = static_cast<std::uint8_t>(v);
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = w - 1; x >= 0; --x) {
            int v = d[idx(x, y)];
            if (v == 0) continue;
            if (x + 1 < w) v = std::min(v, d[idx(x + 1, y)] + 1);
            if (y + 1 < h) v = std::min(v, d[idx(x, y + 1)] + 1);
            d[idx(x, y)] = static_cast<std::uint8_t>(v);
        }
    }
    return d;
}

std::size_t RemoveSpecks(Image img, int minSize, const std::vector<std::uint8_t>* allowed) {
    const int w = img.w;
    const int h = img.h;
    if (minSize <= 1) return 0;
    const auto limit = static_cast<std::size_t>(minSize);
    std::vector<std::size_t> region;  // the region being explored, never above `limit`
    std::size_t removed = 0;
    // Every region has a pixel with no land above it, so explorations start only there; each
    // stops as soon as the region proves big enough, which keeps the sweep cheap.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                                      static_cast<std::size_t>(x);
            if (img.px[start] == 0 || (y > 0 && img.px[start - static_cast<std::size_t>(w)] != 0))
                continue;
            region.assign(1, start);
            bool small = true;
            for (std::size_t next = 0; next < region.size() && small; ++next) {
                const std::size_t i = region[next];
                const int px = static_cast<int>(i % static_cast<std::size_t>(w));
                const int py = static_cast<int>(i / static_cast<std::size_t>(w));
                const std::size_t around[4] = {i - 1, i + 1, i - static_cast<std::size_t>(w),
                                               i + static_cast<std::size_t>(w)};
                const bool inside[4] = {px > 0, px + 1 < w, py > 0, py + 1 < h};
                for (int k = 0; k < 4 && small; ++k) {
                    const std::size_t j = around[k];
                    if (!inside[k] || img.px[j] == 0) continue;
                    if (std::find(region.begin(), region.end(), j) != region.end()) continue;
                    region.push_back(j);
                    small = region.size() < limit;
                }
            }
            if (!small) continue;
            if (allowed) {
                bool removable = true;
                for (const std::size_t i : region) removable = removable && (*allowed)[i];
                if (!removable) continue;
            }
            for (const std::size_t i : region) img.px[i] = 0;
            removed += region.size();
        }
    }
    return removed;
}

}  // namespace orvane::fx

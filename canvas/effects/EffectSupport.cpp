#include "canvas/effects/EffectSupport.h"

#include <algorithm>
#include <cmath>

namespace orvane::fx {

double Sine(double radians) {
    constexpr double kPi = 3.141592653589793;
    constexpr double kTwoPi = 6.283185307179586;
    double x = radians - kTwoPi * std::nearbyint(radians / kTwoPi);  // -pi..pi
    if (x > kPi / 2) x = kPi - x;
    if (x < -kPi / 2) x = -kPi - x;
    // Taylor series to x^15: below 1e-11 on [-pi/2, pi/2].
    const double x2 = x * x;
    double term = x;
    double sum = x;
    for (int k = 1; k <= 7; ++k) {
        term = -term * x2 / static_cast<double>((2 * k) * (2 * k + 1));
        sum += term;
    }
    return sum;
}

void FilterLand(Image img, int radius, int amountTenths) {
    radius = std::clamp(radius, 0, 7);  // keeps every box sum within 16 bits
    const int w = img.w;
    const int h = img.h;
    if (img.Size() == 0) return;
    // Horizontal box sums of red, green, blue and land count, for a ring of 2r + 2 rows: the
    // rows a result needs plus the one about to be overwritten, so the work is done in place.
    struct Sums {
        std::uint16_t r, g, b, n;
    };
    const int ringRows = 2 * radius + 2;
    std::vector<Sums> ring(static_cast<std::size_t>(ringRows) * static_cast<std::size_t>(w));
    const auto ringRow = [&](int y) {
        return &ring[static_cast<std::size_t>(y % ringRows) * static_cast<std::size_t>(w)];
    };
    const auto sumRow = [&](int y) {
        const Colour* line = &img.px[static_cast<std::size_t>(y) * static_cast<std::size_t>(w)];
        Sums* dst = ringRow(y);
        int sr = 0, sg = 0, sb = 0, sn = 0;
        const auto add = [&](int x, int sign) {
            if (x < 0 || x >= w) return;
            const Colour c = line[x];
            if (c == 0) return;
            sr += sign * RedOf(c);
            sg += sign * GreenOf(c);
            sb += sign * BlueOf(c);
            sn += sign;
        };
        for (int x = 0; x < radius; ++x) add(x, 1);
        for (int x = 0; x < w; ++x) {
            add(x + radius, 1);
            dst[x] = {static_cast<std::uint16_t>(sr), static_cast<std::uint16_t>(sg),
                      static_cast<std::uint16_t>(sb), static_cast<std::uint16_t>(sn)};
            add(x - radius, -1);
        }
    };
    // Vertical sums of the row sums, one running total per column.
    std::vector<int> acc(static_cast<std::size_t>(w) * 4, 0);
    const auto addRow = [&](int y, int sign) {
        if (y < 0 || y >= h) return;
        const Sums* src = ringRow(y);
        for (int x = 0; x < w; ++x) {
            int* a = &acc[static_cast<std::size_t>(x) * 4];
            a[0] += sign * src[x].r;
            a[1] += sign * src[x].g;
            a[2] += sign * src[x].b;
            a[3] += sign * src[x].n;
        }
    };
    // Division by the land count through exact reciprocals: floor(2^32 / d) + 1 divides
    // every numerator below 2^16 exactly, and (2r+1)^2 * 255 stays below that.
    const int boxArea = (2 * radius + 1) * (2 * radius + 1);
    std::vector<std::uint64_t> inverse(static_cast<std::size_t>(boxArea) + 1, 0);
    for (int d = 1; d <= boxArea; ++d)
        inverse[static_cast<std::size_t>(d)] =
            (std::uint64_t{1} << 32) / static_cast<std::uint64_t>(d) + 1;
    for (int y = 0; y < radius && y < h; ++y) {
        sumRow(y);
        addRow(y, 1);
    }
    for (int y = 0; y < h; ++y) {
        if (y + radius < h) {
            sumRow(y + radius);
            addRow(y + radius, 1);
        }
        Colour* line = &img.px[static_cast<std::size_t>(y) * static_cast<std::size_t>(w)];
        for (int x = 0; x < w; ++x) {
            const Colour c = line[x];
            if (c == 0) continue;
            const int* a = &acc[static_cast<std::size_t>(x) * 4];
            const int cnt = a[3];  // at least 1: the pixel itself is land
            const std::uint64_t m = inverse[static_cast<std::size_t>(cnt)];
            const auto mixed = [&](int sum, int v) {
                const auto mean =
                    static_cast<int>((static_cast<std::uint64_t>(sum + cnt / 2) * m) >> 32);
                return v + (v - mean) * amountTenths / 10;
            };
            line[x] =
                LandColour(mixed(a[0], RedOf(c)), mixed(a[1], GreenOf(c)), mixed(a[2], BlueOf(c)));
        }
        addRow(y - radius, -1);
    }
}

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

#include "canvas/EffectSupport.h"

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

std::vector<Colour> BlurLand(const Image& img, int radius) {
    const int w = img.w;
    const int h = img.h;
    const std::size_t n = img.Size();
    std::vector<Colour> out(n, 0);
    if (n == 0) return out;
    // Horizontal box sums of red, green, blue and land count; (2r+1) * 255 fits 16 bits.
    struct Sums {
        std::uint16_t r, g, b, n;
    };
    std::vector<Sums> rows(n);
    for (int y = 0; y < h; ++y) {
        const Colour* line = &img.px[static_cast<std::size_t>(y) * static_cast<std::size_t>(w)];
        Sums* dst = &rows[static_cast<std::size_t>(y) * static_cast<std::size_t>(w)];
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
    }
    // Vertical sums of the row sums, one running total per column.
    std::vector<int> acc(static_cast<std::size_t>(w) * 4, 0);
    const auto addRow = [&](int y, int sign) {
        if (y < 0 || y >= h) return;
        const Sums* src = &rows[static_cast<std::size_t>(y) * static_cast<std::size_t>(w)];
        for (int x = 0; x < w; ++x) {
            int* a = &acc[static_cast<std::size_t>(x) * 4];
            a[0] += sign * src[x].r;
            a[1] += sign * src[x].g;
            a[2] += sign * src[x].b;
            a[3] += sign * src[x].n;
        }
    };
    for (int y = 0; y < radius; ++y) addRow(y, 1);
    for (int y = 0; y < h; ++y) {
        addRow(y + radius, 1);
        const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
        for (int x = 0; x < w; ++x) {
            if (img.px[row + static_cast<std::size_t>(x)] == 0) continue;
            const int* a = &acc[static_cast<std::size_t>(x) * 4];
            const int cnt = a[3];  // at least 1: the pixel itself is land
            out[row + static_cast<std::size_t>(x)] =
                LandColour((a[0] + cnt / 2) / cnt, (a[1] + cnt / 2) / cnt, (a[2] + cnt / 2) / cnt);
        }
        addRow(y - radius, -1);
    }
    return out;
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
    const std::size_t limit = static_cast<std::size_t>(std::max(minSize, 0));
    std::vector<std::uint8_t> seen(img.Size(), 0);
    std::vector<std::size_t> stack;
    std::vector<std::size_t> region;  // the first `limit` pixels of the current region
    std::size_t removed = 0;
    for (std::size_t start = 0; start < img.Size(); ++start) {
        if (seen[start] || img.px[start] == 0) continue;
        seen[start] = 1;
        stack.assign(1, start);
        region.clear();
        std::size_t size = 0;
        bool removable = true;
        while (!stack.empty()) {
            const std::size_t i = stack.back();
            stack.pop_back();
            if (++size <= limit) region.push_back(i);
            if (allowed && !(*allowed)[i]) removable = false;
            const int x = static_cast<int>(i % static_cast<std::size_t>(w));
            const int y = static_cast<int>(i / static_cast<std::size_t>(w));
            const auto visit = [&](bool inside, std::size_t j) {
                if (inside && !seen[j] && img.px[j] != 0) {
                    seen[j] = 1;
                    stack.push_back(j);
                }
            };
            visit(x > 0, i - 1);
            visit(x + 1 < w, i + 1);
            visit(y > 0, i - static_cast<std::size_t>(w));
            visit(y + 1 < h, i + static_cast<std::size_t>(w));
        }
        if (removable && size < limit) {
            for (const std::size_t i : region) img.px[i] = 0;
            removed += size;
        }
    }
    return removed;
}

}  // namespace orvane::fx

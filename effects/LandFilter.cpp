// The box filter behind blur and sharpen: running sums in place, exact integer means.
#include <algorithm>

#include "effects/EffectSupport.h"

namespace orvane::fx {

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

}  // namespace orvane::fx

#include <algorithm>

#include "effects/Effects.h"

namespace orvane::fx {

void Mosaic(Image img, Options options) {
    const int cell = options.A();
    const int columns = (img.w + cell - 1) / cell;
    std::vector<int> sums(static_cast<std::size_t>(columns) * 4);
    for (int top = 0; top < img.h; top += cell) {
        const int bottom = std::min(top + cell, img.h);
        std::fill(sums.begin(), sums.end(), 0);
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < img.w; ++x) {
                const Colour c = img.At(x, y);
                if (c == 0) continue;
                int* s = &sums[static_cast<std::size_t>(x / cell) * 4];
                s[0] += RedOf(c);
                s[1] += GreenOf(c);
                s[2] += BlueOf(c);
                s[3] += 1;
            }
        }
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < img.w; ++x) {
                Colour& c = img.At(x, y);
                if (c == 0) continue;
                const int* s = &sums[static_cast<std::size_t>(x / cell) * 4];
                const int n = s[3];
                c = LandColour((s[0] + n / 2) / n, (s[1] + n / 2) / n, (s[2] + n / 2) / n);
            }
        }
    }
}

}  // namespace orvane::fx

#include "effects/Effects.h"

namespace orvane::fx {

void Grain(Image img, Options options) {
    const int strength = 6 + options.B() / 8;  // 6..38 levels either way
    ForEachLand(img, [strength](Colour c, int x, int y) {
        const std::uint32_t hv =
            Hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), 0x3A);
        // Sum of two uniform values: a softer, triangular grain.
        const int n = static_cast<int>(hv & 255u) + static_cast<int>((hv >> 8) & 255u) - 255;
        const int d = n * strength / 255;
        return EachChannel(c, [d](int v) { return v + d; });
    });
}

}  // namespace orvane::fx

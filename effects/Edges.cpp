#include <algorithm>
#include <cstdlib>

#include "effects/Effects.h"

namespace orvane::fx {

void Edges(Image img, Options options) {
    const LumaBuffer l = LumaMap(img.px);
    const LumaReader luma{l, img.w, img.h};
    const int gain = 64 + options.B();  // sixty-fourths: 1..5
    ForEachLand(img, [&](Colour c, int x, int y) {
        const int gx = luma(x + 1, y - 1) + 2 * luma(x + 1, y) + luma(x + 1, y + 1) -
                       luma(x - 1, y - 1) - 2 * luma(x - 1, y) - luma(x - 1, y + 1);
        const int gy = luma(x - 1, y + 1) + 2 * luma(x, y + 1) + luma(x + 1, y + 1) -
                       luma(x - 1, y - 1) - 2 * luma(x, y - 1) - luma(x + 1, y - 1);
        const int e = std::min(255, (std::abs(gx) + std::abs(gy)) * gain / 256);
        // Flat land sinks to a quarter of its colour; edges glow in a lighter tint of it.
        const auto glow = [e](int v) { return v / 4 + e * (v + 128) / 383; };
        return EachChannel(c, glow);
    });
}

}  // namespace orvane::fx

#include "effects/Effects.h"

namespace orvane::fx {

void Posterise(Image img, Options options) {
    const int levels = 2 + options.A() / 5;  // 3..6
    const auto step = [levels](int v) {
        const int q = (v * (levels - 1) + 127) / 255;
        return q * 255 / (levels - 1);
    };
    ForEachLand(img, [&](Colour c, int, int) { return EachChannel(c, step); });
}

}  // namespace orvane::fx

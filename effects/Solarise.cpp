#include "effects/Effects.h"

namespace orvane::fx {

void Solarise(Image img, Options options) {
    // Threshold 64..192, so the effect always shows.
    const int t = 64 + (options.B() - 1) * 128 / 255;
    const auto flip = [t](int v) { return v > t ? 255 - v : v; };
    ForEachLand(img, [&](Colour c, int, int) { return EachChannel(c, flip); });
}

}  // namespace orvane::fx

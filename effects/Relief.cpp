#include <algorithm>

#include "effects/Effects.h"

namespace orvane::fx {

void Relief(Image img, Options options) {
    const LumaBuffer l = LumaMap(img.px);
    const LumaReader luma{l, img.w, img.h};
    const int depth = options.A();  // tenths: 0.5..2
    constexpr int kReach = 2;
    ForEachLand(img, [&](Colour c, int x, int y) {
        // Slope towards the light: positive where the land rises to the bottom right.
        const int slope = luma(x + kReach, y + kReach) - luma(x - kReach, y - kReach);
        const int d = std::clamp(slope, -64, 64) * depth / 10;
        return EachChannel(c, [d](int v) { return v + d; });
    });
}

}  // namespace orvane::fx

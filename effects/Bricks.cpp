#include <algorithm>

#include "effects/Effects.h"

namespace orvane::fx {

void Bricks(Image img, std::int32_t size, Colour mortar) {
    const int bw = std::max(size, 4);
    const int bh = std::max(bw / 2, 2);
    const int joint = std::max(1, bw / 15);
    // Mortar in sky colour would cut the land into loose bricks: keep it land.
    if (mortar == 0) mortar = RGB(1, 1, 1);
    for (int y = 0; y < img.h; ++y) {
        const int row = y / bh;
        const int shift = (row & 1) ? bw / 2 : 0;
        const bool rowJoint = y % bh < joint;
        for (int x = 0; x < img.w; ++x) {
            Colour& c = img.At(x, y);
            if (c == 0) continue;
            const int col = (x + shift) / bw;
            if (rowJoint || (x + shift) % bw < joint) {
                c = mortar;
                continue;
            }
            const std::uint32_t hv =
                Hash(static_cast<std::uint32_t>(col), static_cast<std::uint32_t>(row), 0x7);
            const int f = 218 + static_cast<int>(hv % 77u);  // 0.85..1.15 of the colour
            c = EachChannel(c, [f](int v) { return v * f >> 8; });
        }
    }
}

}  // namespace orvane::fx

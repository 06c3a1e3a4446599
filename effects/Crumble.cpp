#include "effects/Effects.h"

namespace orvane::fx {
namespace {

// Smooth noise in [0, 1): hashed values on a lattice, blended bilinearly, so cuts come out as
// rounded bites rather than single pixels.
double LatticeNoise(int x, int y, int spacing, std::uint32_t salt) {
    const int gx = x / spacing;
    const int gy = y / spacing;
    const double fx = static_cast<double>(x % spacing) / spacing;
    const double fy = static_cast<double>(y % spacing) / spacing;
    const auto at = [salt](int i, int j) {
        return static_cast<double>(
                   Hash(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j), salt) >> 16) /
               65536.0;
    };
    const double top = at(gx, gy) + (at(gx + 1, gy) - at(gx, gy)) * fx;
    const double bottom = at(gx, gy + 1) + (at(gx + 1, gy + 1) - at(gx, gy + 1)) * fx;
    return top + (bottom - top) * fy;
}

}  // namespace

void Crumble(Image img, Options options) {
    const int depth = 1 + options.A() / 10;  // 1..3 pixels
    const std::vector<std::uint8_t> dist = DistanceToEmpty(img, depth + 2);
    std::vector<std::uint8_t> band(dist.size(), 0);
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(img.w) +
                                  static_cast<std::size_t>(x);
            const int d = dist[i];
            if (d == 0 || d > depth + 1) continue;
            band[i] = 1;
            // About a third of the edge keeps its line; elsewhere bites run up to `depth` deep.
            const double bite = (LatticeNoise(x, y, 5, 0x6) - 0.35) / 0.65 * (depth + 1);
            if (d <= depth && d < bite) img.px[i] = 0;
        }
    }
    // Crumbs cut loose near the edge fall away; land further in is never touched.
    RemoveSpecks(img, 16, &band);
}

}  // namespace orvane::fx

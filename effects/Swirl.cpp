#include <algorithm>
#include <cmath>

#include "effects/Effects.h"
#include "effects/Warp.h"

namespace orvane::fx {

void Swirl(Image img, Options options) {
    const double cx = img.w / 2.0;
    const double cy = img.h / 2.0;
    const double radius = 0.4 * (img.w + img.h);
    const double maxTurn = options.A() * 9.0 * kPi / 180.0;  // 45..180 degrees
    if (radius <= 0) return;
    // The turn depends on the distance alone: tabulate it at 1/8 pixel steps.
    constexpr int kSteps = 8;
    const auto entries = static_cast<std::size_t>(radius * kSteps) + 2;
    std::vector<double> cosT(entries), sinT(entries);
    for (std::size_t i = 0; i < entries; ++i) {
        const double t = 1.0 - std::min(1.0, static_cast<double>(i) / kSteps / radius);
        const double turn = maxTurn * t * t;
        cosT[i] = Cosine(turn);
        sinT[i] = Sine(turn);
    }
    Warp(img, options.keepLandShape, [&](int x, int y, double& sx, double& sy) {
        const double dx = x + 0.5 - cx;
        const double dy = y + 0.5 - cy;
        const double r = std::sqrt(dx * dx + dy * dy);
        const auto i = std::min(static_cast<std::size_t>(r * kSteps), entries - 1);
        // Turning the destination back by the swirl's angle finds where it came from.
        sx = cx + dx * cosT[i] + dy * sinT[i] - 0.5;
        sy = cy - dx * sinT[i] + dy * cosT[i] - 0.5;
    });
}

}  // namespace orvane::fx

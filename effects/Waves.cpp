#include <algorithm>

#include "effects/Effects.h"
#include "effects/Warp.h"

namespace orvane::fx {

void Waves(Image img, Options options) {
    const double amplitude = options.A();  // pixels
    const double wavelength = 40.0 + options.B();
    // Rows slide sideways, columns bob half as much on a longer wave.
    std::vector<double> rowShift(static_cast<std::size_t>(std::max(img.h, 0)));
    std::vector<double> columnShift(static_cast<std::size_t>(std::max(img.w, 0)));
    for (int y = 0; y < img.h; ++y)
        rowShift[static_cast<std::size_t>(y)] = amplitude * Sine(2 * kPi * y / wavelength);
    for (int x = 0; x < img.w; ++x)
        columnShift[static_cast<std::size_t>(x)] =
            amplitude / 2 * Sine(2 * kPi * x / (1.5 * wavelength) + 1.0);
    Warp(img, options.keepLandShape, [&](int x, int y, double& sx, double& sy) {
        sx = x + rowShift[static_cast<std::size_t>(y)];
        sy = y + columnShift[static_cast<std::size_t>(x)];
    });
}

}  // namespace orvane::fx

#include "terrain/decor/Placement.h"

#include <array>

#include "core/Numeric.h"

namespace orvane {
namespace {

// 0.1, 0.2, ... built by repeated addition in double precision, as the sampling grid was
// defined: the third is 0.30000000000000004 and the eighth 0.7999999999999999.
constexpr std::array<double, 8> kFractions = [] {
    std::array<double, 8> f{};
    double v = 0.0;
    for (double& x : f) {
        v += 0.1;
        x = v;
    }
    return f;
}();

std::int32_t Sample(std::int32_t origin, std::int32_t size, double fraction) {
    return CLng(origin + size * fraction);
}

}  // namespace

bool IsAreaFree(const Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t w,
                std::int32_t h, bool openBottom) {
    const std::size_t rows = openBottom ? 7 : 8;
    for (double fx : kFractions) {
        const std::int32_t col = Sample(x, w, fx);
        for (std::size_t i = 0; i < rows; ++i) {
            if (canvas.GetPixel(col, Sample(y, h, kFractions[i])) != 0) return false;
        }
    }
    const std::int32_t right = CheckedAdd(x, w);
    if (canvas.GetPixel(x, y) != 0 || canvas.GetPixel(right, y) != 0) return false;
    if (!openBottom) {
        const std::int32_t bottom = CheckedAdd(y, h);
        if (canvas.GetPixel(x, bottom) != 0 || canvas.GetPixel(right, bottom) != 0) return false;
    }
    return true;
}

bool IsGroundBelow(const Canvas& canvas, std::int32_t x, std::int32_t y, std::int32_t w,
                   std::int32_t h, bool cornersOnly) {
    const std::int32_t row = CheckedAdd(CheckedAdd(y, h), 1);
    if (!cornersOnly) {
        for (double fx : kFractions) {
            if (canvas.GetPixel(Sample(x, w, fx), row) == 0) return false;
        }
    }
    return canvas.GetPixel(x, row) != 0 && canvas.GetPixel(CheckedAdd(x, w), row) != 0;
}

}  // namespace orvane

#include "canvas/Canvas.h"

#include <algorithm>

#include "core/RunError.h"

namespace orvane {

void Canvas::CreateImage(std::int32_t width, std::int32_t height, Colour colour) {
    if (width < 0 || height < 0 || static_cast<long long>(width) * height > 200'000'000LL)
        throw RunError("Bad picture size " + std::to_string(width) + "x" + std::to_string(height));
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), colour);
    polyX_.clear();
    polyY_.clear();
}

void Canvas::DestroyImage() {
    width_ = height_ = 0;
    pixels_.clear();
    pixels_.shrink_to_fit();
    polyX_.clear();
    polyY_.clear();
}

}  // namespace orvane

#include "canvas/Canvas.h"

#include "pixels/PixelAllocator.h"
#include "raster/Raster.h"

namespace orvane {

void Canvas::CreateImage(std::int32_t width, std::int32_t height, Colour colour) {
    raster::CheckSize(width, height);
    width_ = width;
    height_ = height;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    bool fresh = false;
    if (count > pixels_.capacity()) {
        // A fresh buffer: nothing of the old picture needs copying into it.
        pixels_ = {};
        pixels_.reserve(count);
        fresh = true;
    }
    // Pages of a fresh empty picture that nothing draws on (open sky) are then never touched.
    if (fresh && colour == 0 && pixels::FreshPixelsReadZero(count * sizeof(Colour)))
        pixels_.resize(count);
    else
        pixels_.assign(count, colour);
    polyX_.clear();
    polyY_.clear();
}

}  // namespace orvane

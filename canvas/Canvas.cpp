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
    // A fresh empty picture is not written: the system's pages already read as zero, and
    // writing them would cost the drawing thread a fault per page that the pre-fault thread
    // (or a large page) otherwise takes.
    if (fresh && colour == 0 && pixels::FreshPixelsReadZero(count * sizeof(Colour)))
        pixels_.resize(count);
    else
        pixels_.assign(count, colour);
    polyX_.clear();
    polyY_.clear();
}

}  // namespace orvane

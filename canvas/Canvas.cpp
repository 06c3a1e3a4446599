#include "canvas/Canvas.h"

#include "pixels/PixelAllocator.h"
#include "raster/Raster.h"

namespace orvane {

void Canvas::CreateImage(std::int32_t width, std::int32_t height, Colour colour) {
    raster::CheckSize(width, height);
    width_ = width;
    height_ = height;
    FillPixels(pixels_, static_cast<std::size_t>(width) * static_cast<std::size_t>(height), colour);
    polyX_.clear();
    polyY_.clear();
}

}  // namespace orvane

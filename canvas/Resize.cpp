// Whole-picture geometry: nearest-neighbour scaling, anchored canvas resizing, auto-crop.
#include "canvas/Canvas.h"
#include "core/RunError.h"
#include "raster/Geometry.h"
#include "raster/Raster.h"

namespace orvane {

void Canvas::ResizeImage(std::int32_t width, std::int32_t height) {
    raster::CheckSize(width, height);
    if (width_ == 0 || height_ == 0 || width == 0 || height == 0) {
        CreateImage(width, height);
        return;
    }
    geometry::Scale(pixels_, width_, height_, width, height);
}

void Canvas::ResizeCanvas(std::int32_t width, std::int32_t height, Anchor anchor, Colour colour) {
    geometry::Place(pixels_, width_, height_, width, height, anchor, colour);
}

void Canvas::TransformImage(std::int32_t a, std::int32_t b) {
    if (a != 0 || b != 0)
        throw RunError("TransformImage: no transform (" + std::to_string(a) + ", " +
                       std::to_string(b) + ")");
    geometry::CropEmpty(pixels_, width_, height_);
}

}  // namespace orvane

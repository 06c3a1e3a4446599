// Rectangles, ellipses and circles: filled with the fill colour, outlined inside their bounds
// with a band of pen colour as wide as the pen.
#include <cmath>

#include "canvas/Canvas.h"
#include "raster/Raster.h"

namespace orvane {

void Canvas::DrawRectangle(std::int32_t left, std::int32_t top, std::int32_t width,
                           std::int32_t height) {
    if (width <= 0 || height <= 0) return;
    const std::int64_t right = std::int64_t{left} + width - 1;
    raster::PaintConvex(
        Grid(), top, std::int64_t{top} + height - 1,
        [&](std::int64_t) {
            return raster::Span{left, right};
        },
        fillColour_, penColour_, raster::BrushSize(penWidth_));
}

void Canvas::DrawEllipse(std::int32_t left, std::int32_t top, std::int32_t width,
                         std::int32_t height) {
    if (width <= 0 || height <= 0) return;
    // The pixels whose centres lie inside the ellipse inscribed in the box.
    const double a = width / 2.0;
    const double b = height / 2.0;
    const double cx = left + a;
    const double cy = top + b;
    raster::PaintConvex(
        Grid(), top, std::int64_t{top} + height - 1,
        [&](std::int64_t y) {
            const double v = (static_cast<double>(y) + 0.5 - cy) / b;
            if (v * v > 1.0) return raster::Span{};
            const double half = a * std::sqrt(1.0 - v * v);
            return raster::Span{static_cast<std::int64_t>(std::ceil(cx - half - 0.5)),
                                static_cast<std::int64_t>(std::floor(cx + half - 0.5))};
        },
        fillColour_, penColour_, raster::BrushSize(penWidth_));
}

void Canvas::DrawCircle(std::int32_t x, std::int32_t y, std::int32_t radius) {
    if (radius < 0) return;
    // Every pixel within `radius` of the centre pixel: a disc 2 * radius + 1 across.
    const std::int64_t r = radius;
    raster::PaintConvex(
        Grid(), std::int64_t{y} - r, std::int64_t{y} + r,
        [&](std::int64_t row) {
            const std::int64_t dy = row - y;
            const std::int64_t rest = r * r - dy * dy;
            const std::int64_t half = raster::ISqrt(rest);
            return raster::Span{x - half, x + half};
        },
        fillColour_, penColour_, raster::BrushSize(penWidth_));
}

}  // namespace orvane

// Points and lines in the pen colour and width.
#include "canvas/Canvas.h"
#include "raster/Raster.h"

namespace orvane {

void Canvas::DrawPoint(std::int32_t x, std::int32_t y) {
    const std::int64_t size = raster::BrushSize(penWidth_);
    const auto grid = Grid();
    for (std::int64_t row = y; row < std::int64_t{y} + size; ++row)
        raster::FillRow(grid, row, x, std::int64_t{x} + size - 1, penColour_);
}

void Canvas::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    raster::StrokeLine(Grid(), x1, y1, x2, y2, penColour_, raster::BrushSize(penWidth_));
}

}  // namespace orvane

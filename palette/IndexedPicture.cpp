#include "palette/IndexedPicture.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>

#include "core/RunError.h"
#include "raster/Geometry.h"
#include "raster/Raster.h"

namespace orvane {

PaletteOrder SortedPalette(std::span<const Colour> palette) {
    // Black is the smallest colour and entry 0 already, so it stays first.
    std::array<std::uint8_t, 256> order{};
    const auto end = order.begin() + static_cast<std::ptrdiff_t>(palette.size());
    std::iota(order.begin(), end, 0);
    std::sort(order.begin(), end,
              [&](std::uint8_t a, std::uint8_t b) { return palette[a] < palette[b]; });
    PaletteOrder sorted;
    sorted.palette.resize(palette.size());
    for (std::size_t k = 0; k < palette.size(); ++k) {
        sorted.renumber[order[k]] = static_cast<IndexedPicture::Pixel>(k);
        sorted.palette[k] = palette[order[k]];
        sorted.moved = sorted.moved || order[k] != k;
    }
    return sorted;
}

std::optional<std::array<IndexedPicture::Pixel, 256>> IndexedPicture::OrderPalette() {
    PaletteOrder sorted = SortedPalette(palette_);
    if (!sorted.moved) return std::nullopt;
    palette_ = std::move(sorted.palette);
    return sorted.renumber;
}

void IndexedPicture::SortPalette() {
    if (const auto renumber = OrderPalette())
        for (Pixel& p : pixels_) p = (*renumber)[p];
}

void IndexedPicture::ResizeImage(std::int32_t width, std::int32_t height, bool sortPalette) {
    raster::CheckSize(width, height);
    // Enlarging shows every source pixel at least once; shrinking may drop some.
    paletteAllUsed_ = paletteAllUsed_ && width >= width_ && height >= height_;
    if (width_ == 0 || height_ == 0 || width == 0 || height == 0) {
        pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
        width_ = width;
        height_ = height;
        if (sortPalette) OrderPalette();
        return;
    }
    const auto renumber = sortPalette ? OrderPalette() : std::nullopt;
    if (renumber)
        geometry::Scale(pixels_, width_, height_, width, height,
                        [&](Pixel p) { return (*renumber)[p]; });
    else
        geometry::Scale(pixels_, width_, height_, width, height);
}

void IndexedPicture::ResizeCanvas(std::int32_t width, std::int32_t height, Anchor anchor) {
    paletteAllUsed_ = paletteAllUsed_ && width >= width_ && height >= height_;
    geometry::Place(pixels_, width_, height_, width, height, anchor, Pixel{0});
}

void IndexedPicture::CropEmpty() {
    geometry::CropEmpty(pixels_, width_, height_);
}

Rect IndexedPicture::ContentBox() const {
    return geometry::ContentBox(pixels_, width_, height_);
}

void IndexedPicture::Crop(const Rect& box) {
    if (!InsidePicture(box, width_, height_) || box.Empty())
        throw RunError("Crop: the box is not inside the picture");
    paletteAllUsed_ = false;
    geometry::CropTo(pixels_, width_, height_, box);
}

void IndexedPicture::SetPenColour(Colour c) {
    if (c != 0) throw RunError("An indexed picture is only cut with empty space");
}

void IndexedPicture::DrawPoint(std::int32_t x, std::int32_t y) {
    paletteAllUsed_ = false;
    const std::int64_t size = raster::BrushSize(penWidth_);
    const auto grid = Grid();
    for (std::int64_t row = y; row < std::int64_t{y} + size; ++row)
        raster::FillRow(grid, row, x, std::int64_t{x} + size - 1, Pixel{0});
}

void IndexedPicture::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    paletteAllUsed_ = false;
    raster::StrokeLine(Grid(), x1, y1, x2, y2, Pixel{0}, raster::BrushSize(penWidth_));
}

}  // namespace orvane

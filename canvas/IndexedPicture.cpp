#include "canvas/IndexedPicture.h"

#include <algorithm>

#include "canvas/ColourMap.h"
#include "canvas/Geometry.h"
#include "canvas/Raster.h"
#include "core/RunError.h"

namespace orvane {

IndexedPicture IndexedPicture::FromCanvas(const Canvas& canvas) {
    const std::span<const Colour> pixels = canvas.Pixels();
    // The game reads palette index 0 as empty space, so black always takes it, used or not;
    // the other colours follow in ascending order.
    ColourMap used(512);
    used.At(0);
    Colour last = 0;
    for (const Colour c : pixels) {
        if (c == last) continue;
        last = c;
        used.At(c);
        if (used.Size() > 256)
            throw RunError("PNG export failed: more than 256 colours in a palette picture");
    }
    IndexedPicture out;
    used.ForEach([&](Colour c, std::uint32_t) { out.palette_.push_back(c); });
    std::sort(out.palette_.begin(), out.palette_.end());
    ColourMap index(out.palette_.size());
    for (std::size_t i = 0; i < out.palette_.size(); ++i)
        index.At(out.palette_[i]) = static_cast<std::uint32_t>(i);

    out.width_ = canvas.GetWidth();
    out.height_ = canvas.GetHeight();
    out.pixels_.reserve(pixels.size());
    raster::PreferLargePages(out.pixels_.data(), pixels.size());
    out.pixels_.resize(pixels.size());
    last = 0;
    Pixel lastIndex = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] != last) {
            last = pixels[i];
            lastIndex = static_cast<Pixel>(*index.Find(last));
        }
        out.pixels_[i] = lastIndex;
    }
    return out;
}

Colour IndexedPicture::GetColour(std::int32_t x, std::int32_t y) const {
    if (static_cast<std::uint32_t>(x) >= static_cast<std::uint32_t>(width_) ||
        static_cast<std::uint32_t>(y) >= static_cast<std::uint32_t>(height_))
        return 0;
    return palette_[pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                            static_cast<std::size_t>(x)]];
}

void IndexedPicture::ResizeImage(std::int32_t width, std::int32_t height) {
    raster::CheckSize(width, height);
    if (width_ == 0 || height_ == 0 || width == 0 || height == 0) {
        pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
        width_ = width;
        height_ = height;
        return;
    }
    geometry::Scale(pixels_, width_, height_, width, height);
}

void IndexedPicture::ResizeCanvas(std::int32_t width, std::int32_t height, std::int32_t position) {
    geometry::Anchor(pixels_, width_, height_, width, height, position, Pixel{0});
}

void IndexedPicture::CropEmpty() {
    geometry::CropEmpty(pixels_, width_, height_);
}

void IndexedPicture::SetPenColour(Colour c) {
    if (c != 0) throw RunError("An indexed picture is only cut with empty space");
}

void IndexedPicture::DrawPoint(std::int32_t x, std::int32_t y) {
    const std::int64_t size = raster::BrushSize(penWidth_);
    for (std::int64_t row = y; row < std::int64_t{y} + size; ++row)
        raster::FillRow(*this, row, x, std::int64_t{x} + size - 1, Pixel{0});
}

void IndexedPicture::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    raster::StrokeLine(*this, x1, y1, x2, y2, Pixel{0}, raster::BrushSize(penWidth_));
}

}  // namespace orvane

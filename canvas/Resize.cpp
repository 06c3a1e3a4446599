// Whole-picture geometry: nearest-neighbour scaling, anchored canvas resizing, auto-crop.
#include <algorithm>

#include "canvas/Canvas.h"
#include "canvas/Raster.h"
#include "core/RunError.h"

namespace orvane {

void Canvas::ResizeImage(std::int32_t width, std::int32_t height) {
    raster::CheckSize(width, height);
    if (width_ == 0 || height_ == 0 || width == 0 || height == 0) {
        CreateImage(width, height);
        return;
    }
    // Each target pixel takes the source pixel under its centre. Rows are appended rather
    // than written into a zeroed buffer: at final map size that pass costs as much as the
    // scaling itself.
    std::vector<std::int32_t> fromColumn(static_cast<std::size_t>(width));
    for (std::int64_t x = 0; x < width; ++x)
        fromColumn[static_cast<std::size_t>(x)] =
            static_cast<std::int32_t>((2 * x + 1) * width_ / (2 * std::int64_t{width}));
    const auto w = static_cast<std::size_t>(width);
    std::vector<Colour> scaled;
    scaled.reserve(w * static_cast<std::size_t>(height));
    raster::PreferLargePages(scaled.data(), scaled.capacity() * sizeof(Colour));
    std::vector<Colour> row(w);
    std::int64_t previous = -1;
    for (std::int64_t y = 0; y < height; ++y) {
        const std::int64_t from = (2 * y + 1) * height_ / (2 * std::int64_t{height});
        if (from != previous) {
            const Colour* src = pixels_.data() + static_cast<std::size_t>(from) * width_;
            for (std::size_t x = 0; x < w; ++x) row[x] = src[fromColumn[x]];
            previous = from;
        }
        scaled.insert(scaled.end(), row.begin(), row.end());
    }
    width_ = width;
    height_ = height;
    pixels_ = std::move(scaled);
}

void Canvas::ResizeCanvas(std::int32_t width, std::int32_t height, Anchor anchor, Colour colour) {
    const int position = static_cast<int>(anchor);
    if (position > static_cast<int>(Anchor::BottomRight))
        throw RunError("ResizeCanvas: anchor " + std::to_string(position) + " is not 0..8");
    Canvas resized;
    resized.CreateImage(width, height, colour);
    // Anchor columns and rows: 0 start, 1 centre, 2 end; a smaller picture is cut the same way.
    auto offset = [](std::int64_t room, std::int32_t anchor) {
        if (anchor == 0) return std::int64_t{0};
        if (anchor == 2) return room;
        return room >= 0 ? room / 2 : -((-room + 1) / 2);
    };
    const std::int64_t dx = offset(std::int64_t{width} - width_, position % 3);
    const std::int64_t dy = offset(std::int64_t{height} - height_, position / 3);
    const std::int64_t x0 = std::max<std::int64_t>(0, dx);
    const std::int64_t x1 = std::min<std::int64_t>(width, dx + width_);
    for (std::int64_t y = std::max<std::int64_t>(0, dy);
         y < std::min<std::int64_t>(height, dy + height_) && x0 < x1; ++y) {
        const Colour* src = pixels_.data() + (y - dy) * width_ + (x0 - dx);
        std::copy(src, src + (x1 - x0), resized.pixels_.begin() + y * width + x0);
    }
    width_ = width;
    height_ = height;
    pixels_ = std::move(resized.pixels_);
}

void Canvas::TransformImage(std::int32_t a, std::int32_t b) {
    if (a != 0 || b != 0)
        throw RunError("TransformImage: no transform (" + std::to_string(a) + ", " +
                       std::to_string(b) + ")");
    if (width_ == 0 || height_ == 0) return;
    // Crop to the bounding box of everything that is not empty space.
    std::int64_t left = width_, right = -1, top = -1, bottom = -1;
    for (std::int64_t y = 0; y < height_; ++y) {
        const Colour* row = pixels_.data() + y * width_;
        std::int64_t first = 0;
        while (first < width_ && row[first] == 0) ++first;
        if (first == width_) continue;
        std::int64_t last = width_ - 1;
        while (row[last] == 0) --last;
        if (top < 0) top = y;
        bottom = y;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    // Nothing but empty space: keep one empty pixel so the picture stays valid.
    if (top < 0) left = right = top = bottom = 0;
    const auto w = static_cast<std::int32_t>(right - left + 1);
    const auto h = static_cast<std::int32_t>(bottom - top + 1);
    if (w == width_ && h == height_) return;
    std::vector<Colour> cropped(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (std::int64_t y = 0; y < h; ++y) {
        const Colour* src = pixels_.data() + (top + y) * width_ + left;
        std::copy(src, src + w, cropped.begin() + y * w);
    }
    width_ = w;
    height_ = h;
    pixels_ = std::move(cropped);
}

}  // namespace orvane

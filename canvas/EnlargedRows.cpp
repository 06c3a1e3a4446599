#include "canvas/EnlargedRows.h"

#include <algorithm>

#include "canvas/Geometry.h"
#include "core/RunError.h"

namespace orvane {

EnlargedRows::EnlargedRows(const IndexedPicture& picture, std::int32_t scaledWidth,
                           std::int32_t scaledHeight, std::int32_t width, std::int32_t height,
                           Anchor anchor)
    : picture_(picture),
      scaledWidth_(scaledWidth),
      scaledHeight_(scaledHeight),
      width_(width),
      height_(height) {
    if (picture.GetWidth() <= 0 || picture.GetHeight() <= 0 || scaledWidth < picture.GetWidth() ||
        scaledHeight < picture.GetHeight() || width < scaledWidth || height < scaledHeight)
        throw RunError("Enlarged rows: the sizes do not enlarge the picture");
    const int position = static_cast<int>(anchor);
    left_ = geometry::PlaceOffset(std::int64_t{width} - scaledWidth, position % 3);
    top_ = geometry::PlaceOffset(std::int64_t{height} - scaledHeight, position / 3);
    // Enlarging puts every source column under at least one target column, in order.
    const auto sw = static_cast<std::size_t>(picture.GetWidth());
    firstColumn_.assign(sw + 1, static_cast<std::size_t>(scaledWidth));
    for (std::int64_t x = scaledWidth - 1; x >= 0; --x)
        firstColumn_[static_cast<std::size_t>(geometry::ScaledSource(
            x, picture.GetWidth(), scaledWidth))] = static_cast<std::size_t>(x);
}

void EnlargedRows::Make(std::size_t y, std::uint8_t* out) const {
    std::fill(out, out + width_, IndexedPicture::Pixel{0});
    const std::int64_t row = static_cast<std::int64_t>(y) - top_;
    if (row < 0 || row >= scaledHeight_) return;
    const auto sw = static_cast<std::size_t>(picture_.GetWidth());
    const IndexedPicture::Pixel* src =
        picture_.Pixels().data() +
        static_cast<std::size_t>(geometry::ScaledSource(row, picture_.GetHeight(), scaledHeight_)) *
            sw;
    std::uint8_t* dst = out + left_;
    // Run by run: a run of one index fills one span of the enlarged row.
    for (std::size_t start = 0; start < sw;) {
        const IndexedPicture::Pixel value = src[start];
        std::size_t end = start + 1;
        while (end < sw && src[end] == value) ++end;
        std::fill(dst + firstColumn_[start], dst + firstColumn_[end], value);
        start = end;
    }
}

std::size_t EnlargedRows::Source(std::size_t y) const {
    const std::int64_t row = static_cast<std::int64_t>(y) - top_;
    // Every row of the margin is the same.
    if (row < 0 || row >= scaledHeight_) return static_cast<std::size_t>(picture_.GetHeight());
    return static_cast<std::size_t>(
        geometry::ScaledSource(row, picture_.GetHeight(), scaledHeight_));
}

IndexedPicture::Pixel EnlargedRows::At(std::int32_t x, std::int32_t y) const {
    const std::int64_t column = x - left_;
    const std::int64_t row = y - top_;
    if (column < 0 || column >= scaledWidth_ || row < 0 || row >= scaledHeight_) return 0;
    const auto sx = geometry::ScaledSource(column, picture_.GetWidth(), scaledWidth_);
    const auto sy = geometry::ScaledSource(row, picture_.GetHeight(), scaledHeight_);
    return picture_.Pixels()[static_cast<std::size_t>(sy * picture_.GetWidth() + sx)];
}

}  // namespace orvane

#include "palette/EnlargedRows.h"

#include <algorithm>

#include "core/RunError.h"
#include "raster/Geometry.h"

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
    firstColumn_ = geometry::FirstTargets(picture.GetWidth(), scaledWidth);
    order_ = SortedPalette(picture.Palette());
}

std::int64_t EnlargedRows::SourceRow(std::size_t y) const {
    const std::int64_t row = static_cast<std::int64_t>(y) - top_;
    if (row < 0 || row >= scaledHeight_) return -1;
    return geometry::ScaledSource(row, picture_.GetHeight(), scaledHeight_);
}

void EnlargedRows::Make(std::size_t y, std::uint8_t* out) const {
    const std::int64_t from = SourceRow(y);
    if (from < 0) {
        std::fill(out, out + width_, IndexedPicture::Pixel{0});
        return;
    }
    // The margins left and right, then the enlarged row between them.
    std::fill(out, out + left_, IndexedPicture::Pixel{0});
    std::fill(out + left_ + scaledWidth_, out + width_, IndexedPicture::Pixel{0});
    const auto sw = static_cast<std::size_t>(picture_.GetWidth());
    const IndexedPicture::Pixel* src =
        picture_.Pixels().data() + static_cast<std::size_t>(from) * sw;
    // Renumbered to the sorted palette run by run (one lookup a run).
    geometry::EnlargeRow(src, sw, firstColumn_, out + left_,
                         [&](IndexedPicture::Pixel p) { return order_.renumber[p]; });
}

std::size_t EnlargedRows::Source(std::size_t y) const {
    // Every row of the margin is the same.
    const std::int64_t from = SourceRow(y);
    return from < 0 ? static_cast<std::size_t>(picture_.GetHeight())
                    : static_cast<std::size_t>(from);
}

IndexedPicture::Pixel EnlargedRows::At(std::int32_t x, std::int32_t y) const {
    const std::int64_t column = x - left_;
    const std::int64_t from = y < 0 ? -1 : SourceRow(static_cast<std::size_t>(y));
    if (column < 0 || column >= scaledWidth_ || from < 0) return 0;
    const auto sx = geometry::ScaledSource(column, picture_.GetWidth(), scaledWidth_);
    return order_
        .renumber[picture_.Pixels()[static_cast<std::size_t>(from * picture_.GetWidth() + sx)]];
}

}  // namespace orvane

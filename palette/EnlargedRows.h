#pragma once
// A palette picture enlarged, then placed in a larger empty picture, made a row at a time as
// the export reads it: the enlarged picture, a map's largest buffer, is never held whole. The
// pixels are those of ResizeImage (its palette sorted) then ResizeCanvas; the rows are
// renumbered to the sorted palette as they are made, so the picture itself is never renumbered.
//
// Measured 2026-12 on a quiet 2-core VM, 15 alternated pairs: the largest map peaks at 31 MB
// instead of 38 MB; time the same (0.15 s wall, and 64 seeded maps 2.12 s, either way).
// Off: in finish/FinalSteps.cpp's FinishedRows, `if (!OnlyEnlarges(steps)) return std::nullopt;`
// → `return std::nullopt;` (every map is then enlarged whole).
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "palette/IndexedPicture.h"
#include "raster/Anchor.h"

namespace orvane {

class EnlargedRows {
  public:
    // `picture` (kept by reference) scaled to scaledWidth x scaledHeight, no smaller than it,
    // at `anchor` in a width x height picture, no smaller than that; RunError otherwise.
    EnlargedRows(const IndexedPicture& picture, std::int32_t scaledWidth, std::int32_t scaledHeight,
                 std::int32_t width, std::int32_t height, Anchor anchor);

    // Writes row y's `width` final indices to `out`; may be called from several threads.
    void Make(std::size_t y, std::uint8_t* out) const;
    // Rows with the same source are the same, so a row just made can be read again.
    std::size_t Source(std::size_t y) const;
    // The index of one pixel of the finished picture.
    IndexedPicture::Pixel At(std::int32_t x, std::int32_t y) const;

    // The picture's palette in ascending order, which the rows' indices refer to.
    std::span<const Colour> Palette() const { return order_.palette; }
    std::int32_t GetWidth() const { return width_; }
    std::int32_t GetHeight() const { return height_; }
    // The picture enlarged, and where each of its palette indices goes in Palette().
    const IndexedPicture& Picture() const { return picture_; }
    const std::array<IndexedPicture::Pixel, 256>& Renumber() const { return order_.renumber; }

  private:
    // The picture's row under row y, or -1 in the margin above or below it.
    std::int64_t SourceRow(std::size_t y) const;

    const IndexedPicture& picture_;
    std::int32_t scaledWidth_, scaledHeight_, width_, height_;
    std::int64_t left_, top_;               // where the enlarged picture lies
    std::vector<std::size_t> firstColumn_;  // geometry::FirstTargets of the enlargement
    PaletteOrder order_;
};

}  // namespace orvane

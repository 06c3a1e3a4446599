#pragma once
// A picture's pixels seen as rows, without owning them: drawing and indexing take this view, so
// they work alike on the full-colour canvas and the palette-index picture and know neither.
#include <cstdint>
#include <span>

namespace orvane {

template <class Pixel>
class PixelGrid {
  public:
    // `pixels` holds `height` rows of `width`.
    PixelGrid(std::span<Pixel> pixels, std::int32_t width, std::int32_t height)
        : pixels_(pixels), width_(width), height_(height) {}

    std::int32_t GetWidth() const { return width_; }
    std::int32_t GetHeight() const { return height_; }
    std::span<Pixel> Pixels() const { return pixels_; }

  private:
    std::span<Pixel> pixels_;
    std::int32_t width_;
    std::int32_t height_;
};

}  // namespace orvane

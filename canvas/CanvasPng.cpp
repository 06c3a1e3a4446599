// The canvas's PNG files: read through png/PngRead.h, written as a palette picture for maps and
// as 8-bit RGB otherwise.
#include "canvas/Canvas.h"
#include "core/RunError.h"
#include "palette/IndexedPicture.h"
#include "png/PaletteExport.h"
#include "png/PngRead.h"

namespace orvane {

void Canvas::LoadPicture(std::span<const std::uint8_t> png) {
    const DecodedPng decoded = ReadPng(png);
    // Only a fully decoded picture replaces this one.
    CreateImage(decoded.width, decoded.height);
    // Alpha is dropped: pictures are opaque colours on the map.
    const std::vector<std::uint8_t>& rgba = decoded.rgba;
    for (std::size_t i = 0; i < pixels_.size(); ++i)
        pixels_[i] = RGB(rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2]);
}

std::vector<std::uint8_t> Canvas::ExportPng() const {
    if (width_ <= 0 || height_ <= 0) throw RunError("PNG export failed: the picture is empty");
    if (exportFormat_ == 3 && exportBitDepth_ == 8)
        return orvane::ExportPng(IndexedPicture::FromColours(*this));
    const std::size_t count = pixels_.size();
    std::vector<std::uint8_t> rgb(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        const Colour c = pixels_[i];
        rgb[3 * i] = static_cast<std::uint8_t>(RedOf(c));
        rgb[3 * i + 1] = static_cast<std::uint8_t>(GreenOf(c));
        rgb[3 * i + 2] = static_cast<std::uint8_t>(BlueOf(c));
    }
    return ExportRgbPng(static_cast<std::uint32_t>(width_), static_cast<std::uint32_t>(height_),
                        rgb);
}

}  // namespace orvane

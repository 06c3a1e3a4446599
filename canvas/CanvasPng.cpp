// The canvas's PNG pictures, read through png/PngRead.h. Maps are written from their palette
// indices (png/PaletteExport.h), never from the canvas.
#include "canvas/Canvas.h"
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

}  // namespace orvane

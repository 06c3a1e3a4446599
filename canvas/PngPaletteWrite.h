#pragma once
// The 8-bit palette PNG of a map, written without a PNG library: the rows go straight from the
// picture to deflate, and the stream's checksum is our own faster Adler-32. The bytes are the
// ones the libspng encoder wrote before (same chunks, same 8192-byte IDAT pieces, same deflate
// settings), so a seed keeps giving the same file.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace orvane {

struct PaletteRgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// `indices` holds width x height palette indices, row by row; with `renumber` each index i is
// written as (*renumber)[i]. RunError when deflate fails.
std::vector<std::uint8_t> WritePalettePng(std::uint32_t width, std::uint32_t height,
                                          std::span<const PaletteRgb> palette,
                                          std::span<const std::uint8_t> indices,
                                          const std::array<std::uint8_t, 256>* renumber);

}  // namespace orvane

#pragma once
// The 8-bit palette PNG of a map, written by hand: rows go from the picture straight to a raw
// deflate, and the stream's checksum is our faster Adler-32. All that decides the bytes stays
// fixed (chunks IHDR, PLTE, IDAT in 8192-byte pieces, IEND; the deflate settings), since a seed
// must keep giving the same file.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Colour.h"
#include "deflate/FilteredRows.h"

namespace orvane {

// Kept for the tests that compare the writer with zlib on plain index buffers.
// `indices` holds width x height palette indices, row by row; with `renumber` each index i is
// written as (*renumber)[i] (it may only close gaps in the palette: different colours keep
// different numbers, 0 stays 0). With threads >= 2 a large picture is deflated on two threads,
// giving the same bytes. RunError when deflate fails.
std::vector<std::uint8_t> WritePalettePng(std::uint32_t width, std::uint32_t height,
                                          std::span<const Colour> palette,
                                          std::span<const std::uint8_t> indices,
                                          const std::array<std::uint8_t, 256>* renumber,
                                          unsigned threads = 1);
// The same for rows made as they are read (no bigger than 2^31 - 1 on a side).
std::vector<std::uint8_t> WritePalettePng(const FilteredRows& rows, std::span<const Colour> palette,
                                          unsigned threads = 1);

}  // namespace orvane

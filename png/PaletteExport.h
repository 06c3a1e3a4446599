#pragma once
// PNG files of pictures: the palette picture of a map, with our own writer.
#include <cstdint>
#include <span>
#include <vector>

#include "palette/EnlargedRows.h"
#include "palette/IndexedPicture.h"

namespace orvane {

// The palette PNG of the picture: black at index 0, one entry per colour used, ascending
// (RunError when the palette is not sorted or the picture is empty). With threads >= 2 a large
// picture is compressed on two threads, giving the same bytes.
std::vector<std::uint8_t> ExportPng(const IndexedPicture& picture, unsigned threads = 1);
// The palette PNG of the finished enlarged picture, as its whole picture would be written.
std::vector<std::uint8_t> ExportPng(const EnlargedRows& rows, unsigned threads = 1);

}  // namespace orvane

#pragma once
// Which palette entries a picture still uses, for the file's palette: cut patterns may have
// removed the last pixel of a colour.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace orvane {

// used[i] for every index i in `pixels`, and for 0 (black keeps its entry whatever happens).
// The scan stops once all `colours` entries are seen. With threads >= 2 a large picture is
// scanned in two halves at once.
std::array<bool, 256> UsedColours(std::span<const std::uint8_t> pixels, std::size_t colours,
                                  unsigned threads);

}  // namespace orvane

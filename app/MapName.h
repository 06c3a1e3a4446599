#pragma once
// File names of saved maps: the final area in millions of pixels ("03.412"), "+seed" for a
// seeded single map, "W_" in front in walk-for-weapons mode.
#include <cstdint>
#include <string>

namespace orvane {

// The area of a width x height picture in thousandths of a million pixels:
// CLng(w * h / 1000), with w * h a checked 32-bit product.
std::int32_t AreaThousandths(std::int32_t width, std::int32_t height);

// The area as "00.000" with the given decimal separator, every "," then replaced by "-".
std::string FormatArea(std::int32_t areaThousandths, const std::string& decimalSeparator);

// The whole name, ".png" included.
std::string MapFileName(std::int32_t areaThousandths, const std::string& seed, bool batch,
                        bool walkForWeapons, const std::string& decimalSeparator);

// The longest file name the saved-levels folder takes, in bytes.
inline constexpr std::size_t kMaxFileNameBytes = 255;

}  // namespace orvane

#include "core/Crc32.h"

#include <zlib.h>

#include <climits>

namespace orvane {

std::int32_t Crc32(std::span<const std::uint8_t> bytes) {
    // zlib's, which runs several bytes a step; uInt pieces, as zlib counts in uInt.
    uLong crc = crc32(0L, Z_NULL, 0);
    while (!bytes.empty()) {
        const std::size_t n = bytes.size() < UINT_MAX ? bytes.size() : UINT_MAX;
        crc = crc32(crc, bytes.data(), static_cast<uInt>(n));
        bytes = bytes.subspan(n);
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(crc));
}

std::int32_t Crc32(std::string_view bytes) {
    return Crc32(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                               bytes.size()));
}

}  // namespace orvane

#pragma once
// Big-endian numbers, as PNG files and the level chunk store them.
#include <cstdint>

namespace orvane {

inline void PutBigEndian32(std::uint8_t* out, std::uint32_t v) {
    out[0] = static_cast<std::uint8_t>(v >> 24);
    out[1] = static_cast<std::uint8_t>(v >> 16);
    out[2] = static_cast<std::uint8_t>(v >> 8);
    out[3] = static_cast<std::uint8_t>(v);
}

}  // namespace orvane

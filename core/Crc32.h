#pragma once
// The standard CRC-32 of PNG and zlib (reflected 0xEDB88320, initial all ones, final
// complement), one byte per character. Hashes seed texts and checksums every PNG chunk, the
// level chunk's among them.
#include <cstdint>
#include <span>
#include <string_view>

namespace orvane {

// The checksum as a signed 32-bit value (0xCBF43926 for "123456789" is -873187034).
std::int32_t Crc32(std::span<const std::uint8_t> bytes);
std::int32_t Crc32(std::string_view bytes);

}  // namespace orvane

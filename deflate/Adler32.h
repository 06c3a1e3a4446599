#pragma once
// Adler-32 (the zlib stream's checksum), several times faster than zlib's own on large buffers
// and the same on every machine: plain C++ that compilers turn into vector code by themselves.
#include <cstdint>
#include <span>

namespace orvane {

// Continues `adler` (1 for a fresh stream) over `bytes`.
std::uint32_t Adler32(std::uint32_t adler, std::span<const std::uint8_t> bytes);

}  // namespace orvane

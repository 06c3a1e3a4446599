#pragma once
// The deflate settings of every map file. They decide a map's bytes, so they are written here
// alone: zlib's stream (RleDeflate.h), our own deflate and its block search (DeflateTrees.h) and
// the RGB writer's libspng all take them from here.
#include <zlib.h>

#include <cstddef>
#include <cstdint>

namespace orvane::deflate {

// Level 6 with run-length matching is several times faster than the zlib defaults and hardly
// larger on pictures of flat areas; memory level 6 (smaller blocks) is a fifth faster than 8
// and slightly smaller.
inline constexpr int kLevel = 6;
inline constexpr int kStrategy = Z_RLE;
inline constexpr int kMemLevel = 6;
inline constexpr int kWindowBits = 15;

// zlib's symbol buffer holds 2^(memory level + 6) symbols and ends a block one short of full.
inline constexpr std::size_t kBlockSymbols = (std::size_t{1} << (kMemLevel + 6)) - 1;
static_assert(kBlockSymbols == 4095);

// The zlib header deflate writes for these settings: 32 KiB window, and level bits 0, as for
// every strategy that does not search for matches.
inline constexpr std::uint8_t kZlibHeader[2] = {0x78, 0x01};

}  // namespace orvane::deflate

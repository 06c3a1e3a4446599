#pragma once
// Turns an exported palette PNG into a level file of the game: one private `waLV` chunk of
// level settings inserted right after IHDR. Every map draws nine generator values here: four
// random bytes, two flags, one setting and both draws of the area byte.
#include <array>
#include <cstdint>
#include <vector>

#include "core/Random.h"

namespace orvane {

inline constexpr std::size_t kLevelChunkDataSize = 41;
inline constexpr std::size_t kLevelChunkSize = 4 + 4 + kLevelChunkDataSize + 4;  // 53

// The 41 data bytes, drawn in their fixed order. mapArea: final area in millions of pixels.
std::array<std::uint8_t, kLevelChunkDataSize> MakeLevelChunkData(Random& rng, double mapArea);

// Replaces `png` by the level file: signature and IHDR, the chunk of `data`, then the rest
// unchanged. The data is drawn beforehand, so the picture can be compressed away from the draws.
// Throws RunError when `png` does not start with a PNG signature and a 13-byte IHDR.
void InsertLevelChunk(std::vector<std::uint8_t>& png,
                      const std::array<std::uint8_t, kLevelChunkDataSize>& data);

}  // namespace orvane

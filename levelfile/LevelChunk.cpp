#include "levelfile/LevelChunk.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/BigEndian.h"
#include "core/Crc32.h"
#include "core/Numeric.h"
#include "core/RunError.h"
#include "png/PngSignature.h"

namespace orvane {
namespace {

constexpr std::size_t kInsertAt = 33;  // 8-byte signature + 25-byte IHDR chunk
constexpr std::uint8_t kChunkType[4] = {'w', 'a', 'L', 'V'};

}  // namespace

std::array<std::uint8_t, kLevelChunkDataSize> MakeLevelChunkData(Random& rng, double mapArea) {
    std::array<std::uint8_t, kLevelChunkDataSize> data{};
    for (std::size_t i = 4; i <= 7; ++i) data[i] = static_cast<std::uint8_t>(rng.RndInt(255));
    const bool flagA = !rng.Chance(0.94);
    data[8] = flagA ? 1 : 0;
    const bool halfChance = rng.Chance(0.5);
    data[16] = (halfChance && flagA) ? 0 : 1;
    data[32] = static_cast<std::uint8_t>(rng.RndInt(28));
    // Both draws are made whichever one the byte takes.
    const bool plain = rng.Chance(0.7);
    const std::int32_t k = rng.RndInt(CLng(mapArea * 5));
    data[40] = plain ? 0 : CByte(k);
    return data;
}

void InsertLevelChunk(std::vector<std::uint8_t>& png,
                      const std::array<std::uint8_t, kLevelChunkDataSize>& data) {
    if (png.size() < kInsertAt ||
        !std::equal(kPngSignature.begin(), kPngSignature.end(), png.begin()) || png[8] != 0 ||
        png[9] != 0 || png[10] != 0 || png[11] != 13 || std::memcmp(&png[12], "IHDR", 4) != 0) {
        throw RunError("The exported picture is not a PNG with IHDR first");
    }

    std::array<std::uint8_t, kLevelChunkSize> chunk{};
    PutBigEndian32(chunk.data(), static_cast<std::uint32_t>(kLevelChunkDataSize));
    std::copy(std::begin(kChunkType), std::end(kChunkType), chunk.begin() + 4);
    std::copy(data.begin(), data.end(), chunk.begin() + 8);
    const std::int32_t crc =
        Crc32(std::span<const std::uint8_t>(chunk.data() + 4, 4 + kLevelChunkDataSize));
    PutBigEndian32(chunk.data() + 8 + kLevelChunkDataSize, static_cast<std::uint32_t>(crc));
    // In place: the export leaves room in the file, so a map's bytes are moved, not copied
    // into a second file-size buffer.
    png.insert(png.begin() + kInsertAt, chunk.begin(), chunk.end());
}

}  // namespace orvane

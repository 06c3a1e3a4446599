#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <cstring>

#include "core/Crc32.h"
#include "core/RunError.h"
#include "levelfile/LevelChunk.h"
#include "tests/support/ScriptedRandom.h"

namespace orvane {
namespace {

TEST(Crc32, StandardCheckValues) {
    EXPECT_EQ(Crc32("abc"), 891568578);
    EXPECT_EQ(Crc32("123456789"), -873187034);
    EXPECT_EQ(Crc32(""), 0);
    // Bytes above 127 count with their full 8 bits; compare with zlib on every byte value.
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    const auto z = crc32(0L, reinterpret_cast<const Bytef*>(all.data()), 256);
    EXPECT_EQ(static_cast<std::uint32_t>(Crc32(all)), static_cast<std::uint32_t>(z));
}

// Every one-byte text against the polynomial itself (a wrong checksum changes the seed numbers
// of texts using that byte).
TEST(Crc32, EveryByteAgreesWithTheBitwiseDivision) {
    for (unsigned b = 0; b < 256; ++b) {
        std::uint32_t crc = 0xFFFFFFFFu ^ b;
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        const char text = static_cast<char>(b);
        EXPECT_EQ(static_cast<std::uint32_t>(Crc32(std::string_view(&text, 1))), ~crc) << b;
    }
}

// A minimal PNG-like export: signature, IHDR, and a tail the writer must copy unchanged.
std::vector<std::uint8_t> FakeExport(std::size_t tail) {
    std::vector<std::uint8_t> png = {137, 80, 78, 71, 13,  10,  26,  10,
                                     0,   0,  0,  13, 'I', 'H', 'D', 'R'};
    for (int i = 0; i < 17; ++i) png.push_back(static_cast<std::uint8_t>(i + 1));
    for (std::size_t i = 0; i < tail; ++i) png.push_back(static_cast<std::uint8_t>(i * 7));
    return png;
}

std::uint32_t BigEndian(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

TEST(LevelChunk, InsertsTheChunkAfterIhdrWithItsFrameAndCrc) {
    auto png = FakeExport(100);
    const auto original = png;
    Random rng;
    rng.Reset();
    rng.Seed(5);
    InsertLevelChunk(png, MakeLevelChunkData(rng, 3.412));
    ASSERT_EQ(png.size(), original.size() + 53);
    EXPECT_TRUE(std::equal(original.begin(), original.begin() + 33, png.begin()));
    const std::uint8_t frame[] = {0, 0, 0, 0x29, 0x77, 0x61, 0x4C, 0x56};
    EXPECT_EQ(std::memcmp(png.data() + 33, frame, 8), 0);
    EXPECT_TRUE(std::equal(original.begin() + 33, original.end(), png.begin() + 86));
    const auto z = crc32(0L, png.data() + 37, 45);
    EXPECT_EQ(BigEndian(png.data() + 82), static_cast<std::uint32_t>(z));
    EXPECT_EQ(rng.Draws(), 9u);  // four bytes, two flags, byte 32, and both draws of byte 40
}

TEST(LevelChunk, DataBytesFollowTheirRulesOverManySeeds) {
    int flagA = 0, flagBZero = 0, areaByte = 0;
    for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
        Random rng;
        rng.Reset();
        rng.Seed(seed);
        const double area = 0.684 + (seed % 33);
        const auto d = MakeLevelChunkData(rng, area);
        ASSERT_EQ(rng.Draws(), 9u);
        for (int i : {0, 1, 2, 3}) ASSERT_EQ(d[i], 0);
        for (int i = 9; i <= 31; ++i) {
            if (i != 16) {
                ASSERT_EQ(d[i], 0) << i;
            }
        }
        for (int i = 33; i <= 39; ++i) ASSERT_EQ(d[i], 0) << i;
        ASSERT_LE(d[8], 1);
        ASSERT_LE(d[32], 28);
        if (d[8] == 0) {
            ASSERT_EQ(d[16], 1);  // flag B is 0 only with flag A set
        }
        ASSERT_LE(d[40], static_cast<int>(std::nearbyint(area * 5)));
        flagA += d[8];
        flagBZero += d[16] == 0;
        areaByte += d[40] != 0;
    }
    EXPECT_NEAR(flagA / 3000.0, 0.06, 0.02);
    EXPECT_NEAR(flagBZero / 3000.0, 0.03, 0.015);
    EXPECT_GT(areaByte, 600);  // about 30 % (less the draws of k that are 0)
}

TEST(LevelChunk, AreaByteTakesTheSecondDrawOnlyAboveThePlainChance) {
    // Draws: four bytes, flag A, flag B, byte 32, then r and k for byte 40.
    test::ScriptedRandom plain({0, 0, 0, 0, 0.5f, 0.5f, 0.5f, 0.7f, 0.99f});
    EXPECT_EQ(MakeLevelChunkData(plain, 4.0)[40], 0);
    test::ScriptedRandom taken({0, 0, 0, 0, 0.5f, 0.5f, 0.5f, 0.71f, 0.99f});
    EXPECT_EQ(MakeLevelChunkData(taken, 4.0)[40], 20);  // RndInt(CLng(20)) at 0.99 -> 20
    EXPECT_EQ(taken.Used(), 9u);
    test::ScriptedRandom flags({0, 0, 0, 0, 0.95f, 0.5f});
    const auto d = MakeLevelChunkData(flags, 1.0);
    EXPECT_EQ(d[8], 1);
    EXPECT_EQ(d[16], 0);
}

TEST(LevelChunk, RefusesSomethingThatIsNotAPng) {
    const std::array<std::uint8_t, kLevelChunkDataSize> data{};
    std::vector<std::uint8_t> junk(50, 1);
    EXPECT_THROW(InsertLevelChunk(junk, data), RunError);
    EXPECT_EQ(junk.size(), 50u);
    // One wrong byte anywhere in the signature or the IHDR frame is enough: the chunk would
    // land inside another chunk and break the file.
    for (std::size_t i = 0; i < 16; ++i) {
        auto png = FakeExport(20);
        png[i] ^= 0x20;
        EXPECT_THROW(InsertLevelChunk(png, data), RunError) << i;
    }
}

}  // namespace
}  // namespace orvane

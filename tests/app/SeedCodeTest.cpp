#include <gtest/gtest.h>

#include <random>

#include "app/Seed.h"
#include "app/SeedCode.h"

namespace orvane {
namespace {

// A code must hash to its number exactly, through the same cleaning and hashing a typed seed
// meets, or the map it names is another one.
TEST(SeedCodeTest, EveryNumberGetsACodeThatHashesToIt) {
    std::mt19937 numbers(2026);
    std::vector<std::uint32_t> wanted{0, 1, 0x80000000u, 0xFFFFFFFFu, SeedNumber("HHHHHHHH")};
    for (int i = 0; i < 20000; ++i) wanted.push_back(numbers());
    for (const std::uint32_t number : wanted) {
        const std::string code = SeedCode(number);
        ASSERT_EQ(code.size(), 8u) << number;
        for (const char c : code) ASSERT_TRUE(c >= 'H' && c <= 'W') << code;
        ASSERT_EQ(CleanSeed(code), code);
        ASSERT_EQ(SeedNumber(code), number) << code;
    }
    EXPECT_EQ(SeedCode(123456789u), SeedCode(123456789u));
}

}  // namespace
}  // namespace orvane

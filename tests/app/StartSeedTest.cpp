// ORVANE_START_SEED, as the window reads it: a value that is not a decimal number 0..4294967295
// is said on stderr and ignored, never taken for some other seed. Linux only: Windows cannot set
// a variable to the empty text, and reads it with the same code.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/Run.h"
#include "app/RunEnvironment.h"

namespace orvane {
namespace {

std::vector<float> Draws(Random& rng) {
    std::vector<float> draws;
    for (int i = 0; i < 4; ++i) draws.push_back(rng.Rnd());
    return draws;
}

Random Seeded(std::uint32_t seed) {
    Random rng;
    rng.Reset();
    rng.Seed(seed);
    return rng;
}

TEST(StartSeed, OnlyADecimalNumberSeedsTheGenerator) {
    Random rng;
    ::setenv("ORVANE_START_SEED", "007", 1);
    ApplyStartSeed(rng);
    Random seven = Seeded(7);
    EXPECT_EQ(Draws(rng), Draws(seven));
    for (const char* bad : {"abc", "", "-1", "4294967296", " 7", "0x7"}) {
        SCOPED_TRACE(std::string("ORVANE_START_SEED=") + bad);
        ::setenv("ORVANE_START_SEED", bad, 1);
        Random before = Seeded(5);
        Random after = before;
        testing::internal::CaptureStderr();
        ApplyStartSeed(after);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(Draws(after), Draws(before));
        EXPECT_NE(said.find("ORVANE_START_SEED"), std::string::npos) << said;
    }
    ::unsetenv("ORVANE_START_SEED");
}

}  // namespace
}  // namespace orvane

#endif  // _WIN32

#include <gtest/gtest.h>

#include <cmath>

#include "core/Numeric.h"
#include "core/Random.h"
#include "tests/support/ScriptedRandom.h"

namespace orvane {
namespace {

TEST(Random, ResetAndSeedMakeTheSequenceAFunctionOfTheSeedAlone) {
    Random a, b;
    for (int i = 0; i < 37; ++i) b.Rnd();  // different history before the reset
    a.Reset();
    a.Seed(42);
    b.Reset();
    b.Seed(42);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(a.Rnd(), b.Rnd());
    b.Reset();
    b.Seed(43);
    a.Reset();
    a.Seed(42);
    int same = 0;
    for (int i = 0; i < 100; ++i) same += a.Rnd() == b.Rnd();
    EXPECT_LT(same, 5);
}

TEST(Random, ValuesAreSinglePrecisionInTheHalfOpenUnitInterval) {
    Random r;
    r.Reset();
    r.Seed(7);
    double sum = 0;
    for (int i = 0; i < 100000; ++i) {
        const float v = r.Rnd();
        ASSERT_GE(v, 0.0f);
        ASSERT_LT(v, 1.0f);
        ASSERT_EQ(v * 16777216.0f, std::floor(v * 16777216.0f));  // a multiple of 2^-24
        sum += v;
    }
    EXPECT_NEAR(sum / 100000, 0.5, 0.01);
    EXPECT_EQ(r.Draws(), 100000u);
}

TEST(Random, RndIntCoversZeroToNAndNegativeRanges) {
    // Positive n: Fix(u * (n + 1)); the top value needs u close to 1.
    test::ScriptedRandom r({0.0f, 0.999999f, 0.5f, 0.0f, 0.999999f, 0.5f, 0.3f});
    EXPECT_EQ(r.RndInt(10), 0);
    EXPECT_EQ(r.RndInt(10), 10);
    EXPECT_EQ(r.RndInt(0), 0);
    // Negative n: Fix(u * (n - 1)) runs from n to 0, truncating toward zero.
    EXPECT_EQ(r.RndInt(-5), 0);
    EXPECT_EQ(r.RndInt(-5), -5);
    EXPECT_EQ(r.RndInt(-5), -3);  // 0.5 * -6 = -3
    EXPECT_EQ(r.RndInt(-1), 0);   // 0.3 * -2 = -0.6 truncates to 0
    EXPECT_EQ(r.Used(), 7u);
}

TEST(Random, ChanceComparesInSinglePrecisionAndTakesTies) {
    // 0.94 is not exact in float; a draw equal to float(0.94) must take the branch.
    test::ScriptedRandom r({static_cast<float>(0.94),
                            std::nextafter(static_cast<float>(0.94), 1.0f),
                            static_cast<float>(0.7)});
    EXPECT_TRUE(r.Chance(0.94));
    EXPECT_FALSE(r.Chance(0.94));
    EXPECT_TRUE(r.Chance(0.7));
}

TEST(Numeric, ConversionsRoundHalfToEvenAndFailOnOverflow) {
    EXPECT_EQ(CLng(0.5), 0);
    EXPECT_EQ(CLng(1.5), 2);
    EXPECT_EQ(CLng(2.5), 2);
    EXPECT_EQ(CLng(-0.5), 0);
    EXPECT_EQ(CLng(-1.5), -2);
    EXPECT_EQ(CLng(-2.5), -2);
    EXPECT_EQ(CLng(2.5000001), 3);
    EXPECT_EQ(CLng(848 / 1.766666666666664), 480);
    EXPECT_EQ(CLng(3200 / 1.766666666666664), 1811);
    EXPECT_EQ(CLng(2147483647.0), 2147483647);
    EXPECT_THROW(CLng(2147483647.5), RunError);  // rounds to 2^31
    EXPECT_EQ(CLng(-2147483648.0), -2147483647 - 1);
    EXPECT_THROW(CLng(-2147483649.0), RunError);
    EXPECT_THROW(CLng(std::nan("")), RunError);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_THROW(CInt(32767.5), RunError);
    EXPECT_EQ(CInt(-32768.5), -32768);  // half to even stays in range
    EXPECT_EQ(CByte(254.5), 254);
    EXPECT_EQ(CByte(255.4), 255);
    EXPECT_THROW(CByte(255.5), RunError);
    EXPECT_THROW(CByte(-0.6), RunError);
    EXPECT_EQ(CByte(-0.5), 0);
}

TEST(Numeric, FixTruncatesAndCheckedArithmeticFails) {
    EXPECT_EQ(Fix(2.9), 2.0);
    EXPECT_EQ(Fix(-2.9), -2.0);
    EXPECT_EQ(Fix(-0.1), 0.0);
    EXPECT_EQ(CheckedMul(46340, 46340), 2147395600);
    EXPECT_THROW(CheckedMul(46341, 46341), RunError);
    EXPECT_THROW(CheckedAdd(2147483647, 1), RunError);
    EXPECT_THROW(CheckedSub(-2147483647 - 1, 1), RunError);
    EXPECT_EQ(CheckedSub(-5, -7), 2);
}

}  // namespace
}  // namespace orvane

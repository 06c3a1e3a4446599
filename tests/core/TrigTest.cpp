// The generator's own sine and cosine: one wrong bit moves a shape's point on some machine.
#include <gtest/gtest.h>

#include <cmath>

#include "core/Trig.h"

namespace orvane {
namespace {

TEST(Trig, ExactValuesAndSymmetries) {
    EXPECT_EQ(ExactSin(0.0), 0.0);
    EXPECT_EQ(ExactCos(0.0), 1.0);
    // Nearest doubles of sin and cos of the double nearest pi / 6, pi / 2 and pi.
    EXPECT_EQ(ExactSin(0x1.0c152382d7365p-1), 0x1.fffffffffffffp-2);
    EXPECT_EQ(ExactCos(0x1.921fb54442d18p+0), 0x1.1a62633145c07p-54);
    EXPECT_EQ(ExactSin(0x1.921fb54442d18p+1), 0x1.1a62633145c07p-53);
    for (double x = -7.0; x <= 7.0; x += 0.37) {
        EXPECT_EQ(ExactSin(-x), -ExactSin(x)) << x;
        EXPECT_EQ(ExactCos(-x), ExactCos(x)) << x;
        // Never more than one ulp from the C library anywhere.
        EXPECT_NEAR(ExactSin(x), std::sin(x), std::abs(std::sin(x)) * 0x1p-52 + 0x1p-1074) << x;
        EXPECT_NEAR(ExactCos(x), std::cos(x), std::abs(std::cos(x)) * 0x1p-52 + 0x1p-1074) << x;
    }
}

#if defined(__x86_64__) && defined(__GLIBC__)
TEST(Trig, SameBitsAsTheCLibraryForEveryShapeAngle) {
    // Random shapes take the sine and cosine of whole degrees converted with pi = 3.1415927
    // and stored as floats; maps made with glibc on x86-64 must stay the same.
    for (int angle = 0; angle <= 375; ++angle) {
        const auto rad = static_cast<double>(static_cast<float>(angle * 3.1415927 / 180.0));
        EXPECT_EQ(ExactSin(rad), std::sin(rad)) << angle;
        EXPECT_EQ(ExactCos(rad), std::cos(rad)) << angle;
    }
}
#endif

}  // namespace
}  // namespace orvane

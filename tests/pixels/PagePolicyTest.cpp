// The page policy in each huge-page mode a desktop may have: the drawing thread never takes a
// map's page faults alone (large pages at hand, or the helper thread making pages ready), and
// the system's own "always" is never turned off.
#include <gtest/gtest.h>

#include "pixels/PagePolicy.h"

namespace orvane::pixels {
namespace {

using std::chrono::milliseconds;

TEST(PagePolicyTest, EachModeKeepsTheDrawingThreadOffSlowFaults) {
    const std::optional<std::chrono::steady_clock::duration> moments[] = {
        std::nullopt, milliseconds(0), milliseconds(999), milliseconds(1000),
        std::chrono::hours(1)};
    for (HugePageMode mode : {HugePageMode::Always, HugePageMode::Madvise, HugePageMode::Never,
                              HugePageMode::Unknown}) {
        for (const auto& since : moments) {
            const PagePlan plan = ChoosePages({mode, since});
            const bool atHand = since && *since < kPagesAtHand;
            const bool large = mode == HugePageMode::Always ||
                               (mode != HugePageMode::Never && plan.advice == PageAdvice::Huge);
            SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(mode) << ", freed "
                                            << (since ? since->count() : -1));
            // Large pages at hand, or pages made ready ahead: one of the two, always.
            EXPECT_TRUE((large && atHand) || plan.prefault);
            // Large pages are asked for only while freed ones are at hand.
            if (plan.advice == PageAdvice::Huge) {
                EXPECT_TRUE(atHand);
            }
            EXPECT_NE(plan.advice, PageAdvice::NoHuge);
        }
    }
}

TEST(PagePolicyTest, ReadsTheKernelSetting) {
    EXPECT_EQ(ParseHugePageMode("always [madvise] never\n"), HugePageMode::Madvise);
    EXPECT_EQ(ParseHugePageMode("[always] madvise never"), HugePageMode::Always);
    EXPECT_EQ(ParseHugePageMode("always madvise [never]"), HugePageMode::Never);
    EXPECT_EQ(ParseHugePageMode(""), HugePageMode::Unknown);
    EXPECT_EQ(ParseHugePageMode("[sometimes]"), HugePageMode::Unknown);
}

}  // namespace
}  // namespace orvane::pixels

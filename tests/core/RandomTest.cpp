#include <gtest/gtest.h>

#include "core/Random.h"

namespace orvane {
TEST(Random, SameSeedSameSequence) {
    Random a, b;
    a.Reset(); a.Seed(42);
    b.Reset(); b.Seed(42);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(a.Rnd(), b.Rnd());
}
}  // namespace orvane

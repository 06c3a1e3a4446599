#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <vector>

#include "tests/support/ScriptedRandom.h"
#include "weapons/WeaponChoice.h"

namespace orvane {
namespace {

using test::ScriptedRandom;

// The Rnd value that makes RndInt(62) + 1 come out as weapon k.
float Pick(int k) {
    return (static_cast<float>(k) - 0.5f) / 63.0f;
}

constexpr std::array<int, 34> kLimited = {2,  8,  14, 15, 24, 28, 30, 32, 33, 34, 35, 36,
                                          37, 38, 40, 44, 45, 46, 47, 48, 49, 50, 51, 52,
                                          53, 54, 55, 56, 57, 58, 59, 60, 62, 63};

bool IsLimited(int k) {
    for (int l : kLimited)
        if (l == k) return true;
    return false;
}

TEST(WeaponChoice, SetUpDrawsOneQuotaPerLimitedWeaponWithFortyFiveLast) {
    // 34 limited weapons: 33 draws of 0, then the last (weapon 45) near 1. With 1000 spots
    // weapon 45 may have up to Fix(1000 / 500) + 1 = 3; weapon 63 (drawn just before) gets 0.
    std::vector<float> script(33, 0.0f);
    script.push_back(0.99f);
    ScriptedRandom rng(script, 0.0f);
    WeaponChooser chooser;
    SetUpWeaponQuotas(chooser, rng, 1000);
    EXPECT_EQ(rng.Used(), 34u);
    EXPECT_EQ(chooser.WeaponQuota[45], 3);
    EXPECT_EQ(chooser.WeaponQuota[63], 0);
    EXPECT_EQ(chooser.WeaponQuota[2], 3);   // RndInt(20) = 0, plus 3
    EXPECT_EQ(chooser.WeaponQuota[14], 2);  // RndInt(14) = 0, plus 2
    // Quota 0 for every a = 1, b = 0 weapon except 45.
    int zero = 0;
    for (int k = 1; k <= 63; ++k) zero += chooser.WeaponQuota[static_cast<std::size_t>(k)] == 0;
    EXPECT_EQ(chooser.RemainingKinds, 63 - zero);
    EXPECT_EQ(zero, 27);
}

TEST(WeaponChoice, QuotasFollowTheSpotCount) {
    Random rng;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        rng.Reset();
        rng.Seed(seed);
        WeaponChooser chooser;
        const std::int32_t n = seed % 3 == 0 ? 49 : static_cast<std::int32_t>(seed % 40);
        SetUpWeaponQuotas(chooser, rng, n);
        EXPECT_EQ(chooser.WeaponQuota[2], 3) << "n " << n;  // below 50 spots, always 3
        EXPECT_EQ(chooser.WeaponQuota[15], 1);              // RndInt(0) + 1
        int zero = 0;
        for (int k = 1; k <= 63; ++k) {
            const auto q = chooser.WeaponQuota[static_cast<std::size_t>(k)];
            if (!IsLimited(k)) {
                EXPECT_EQ(q, -1) << "weapon " << k;
            } else {
                EXPECT_GE(q, 0) << "weapon " << k;
            }
            zero += q == 0;
        }
        // Weapons with a = 1, b = 0 hold 0 or 1 while n is below their divisor.
        EXPECT_LE(chooser.WeaponQuota[8], 1);
        EXPECT_LE(chooser.WeaponQuota[60], 1);
        EXPECT_LE(chooser.WeaponQuota[32], 2);  // a = 2
        EXPECT_EQ(chooser.RemainingKinds, 63 - zero);
    }
    // Large maps: weapon 2 ranges over 3..3 + Fix(n / 50).
    int maxSeen = 0;
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        rng.Reset();
        rng.Seed(seed);
        WeaponChooser chooser;
        SetUpWeaponQuotas(chooser, rng, 500);
        EXPECT_GE(chooser.WeaponQuota[2], 3);
        EXPECT_LE(chooser.WeaponQuota[2], 13);
        maxSeen = std::max(maxSeen, chooser.WeaponQuota[2]);
    }
    EXPECT_EQ(maxSeen, 13);
}

TEST(WeaponChoice, AcceptsOnSinglePrecisionWeightAndSkipsRndForZeroWeight) {
    ScriptedRandom rng(std::vector<float>(34, 0.0f), 0.0f);
    WeaponChooser chooser;
    SetUpWeaponQuotas(chooser, rng, 10);
    EXPECT_EQ(rng.Used(), 34u);

    // Weapon 2 (weight 0.4): a draw just above the single 0.4 is refused, 0.4f itself taken.
    ScriptedRandom pick({Pick(2), std::nextafter(0.4f, 1.0f), Pick(2), 0.4f});
    EXPECT_EQ(ChooseWeapon(chooser, pick), 2);
    EXPECT_EQ(pick.Used(), 4u);
    EXPECT_EQ(chooser.WeaponQuota[2], 2);
    EXPECT_EQ(chooser.LastPick, 2);

    // Weapon 8 has quota 0 here (RndInt(1) of 0): drawn, it costs no acceptance draw.
    ASSERT_EQ(chooser.WeaponQuota[8], 0);
    ScriptedRandom skip({Pick(8), Pick(1), 0.0f});
    EXPECT_EQ(ChooseWeapon(chooser, skip), 1);
    EXPECT_EQ(skip.Used(), 3u);
}

TEST(WeaponChoice, TheDrawSpansEveryWeaponAndEachCanBeAccepted) {
    // With nothing limited, each weapon's slot of the draw gives that weapon on an acceptance
    // draw of 0: its weight is positive. The draw's ends land on the first and last weapon.
    WeaponChooser chooser;
    chooser.WeaponQuota.fill(-1);
    chooser.RemainingKinds = 63;
    const auto choose = [&](std::vector<float> script) {
        chooser.LastPick = 0;
        ScriptedRandom rng(std::move(script), 0.0f);
        const int picture = ChooseWeapon(chooser, rng);
        EXPECT_EQ(rng.Used(), 2u) << "picture " << picture;
        return picture;
    };
    for (int k = 1; k <= 63; ++k) EXPECT_EQ(WeaponOfPicture(choose({Pick(k), 0.0f})), k);
    EXPECT_EQ(choose({0.0f, 0.0f}), 1);
    EXPECT_EQ(choose({std::nextafter(1.0f, 0.0f), 0.0f}), 63);
}

TEST(WeaponChoice, EveryLimitedWeaponCanAppearOnTheSmallestMap) {
    // On a map of no spots only the quota's fixed part is left: a limited weapon whose best
    // draw still gives 0 could never appear on small maps.
    WeaponChooser chooser;
    ScriptedRandom high({}, std::nextafter(1.0f, 0.0f));
    SetUpWeaponQuotas(chooser, high, 0);
    for (int k = 1; k <= 63; ++k) {
        const auto q = chooser.WeaponQuota[static_cast<std::size_t>(k)];
        EXPECT_TRUE(q == -1 || q >= 1) << "weapon " << k << " quota " << q;
    }
    EXPECT_EQ(chooser.RemainingKinds, 63);
    // Limits grow with the map: on a large one every limited weapon's best draw rises.
    WeaponChooser large;
    ScriptedRandom highAgain({}, std::nextafter(1.0f, 0.0f));
    SetUpWeaponQuotas(large, highAgain, 5000);
    for (int k = 1; k <= 63; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (chooser.WeaponQuota[i] != -1) {
            EXPECT_GT(large.WeaponQuota[i], chooser.WeaponQuota[i]) << k;
        }
    }
}

TEST(WeaponChoice, LastPickIsBarredAcrossMapsUnlessItsQuotaRanOut) {
    WeaponChooser chooser;
    ScriptedRandom setUp(std::vector<float>(200, 0.0f), 0.0f);
    SetUpWeaponQuotas(chooser, setUp, 10);

    ScriptedRandom first({Pick(3), 0.0f});
    EXPECT_EQ(ChooseWeapon(chooser, first), 3);

    // Next map: weapon 3 is still barred from the first choice (no acceptance draw for it).
    SetUpWeaponQuotas(chooser, setUp, 10);
    ScriptedRandom barred({Pick(3), Pick(4), 0.0f});
    EXPECT_EQ(ChooseWeapon(chooser, barred), 4);
    EXPECT_EQ(barred.Used(), 3u);

    // Weapon 15 has quota 1: choosing it uses it up, clears LastPick and drops a kind.
    const auto kinds = chooser.RemainingKinds;
    ScriptedRandom last({Pick(15), 0.0f});
    EXPECT_EQ(ChooseWeapon(chooser, last), 15);
    EXPECT_EQ(chooser.LastPick, 0);
    EXPECT_EQ(chooser.RemainingKinds, kinds - 1);

    // So the next map may open with weapon 15 again.
    SetUpWeaponQuotas(chooser, setUp, 10);
    ScriptedRandom open({Pick(15), 0.0f});
    EXPECT_EQ(ChooseWeapon(chooser, open), 15);
    EXPECT_EQ(open.Used(), 2u);

    // Used up again: weight 0 for the rest of the map, and nothing else is barred.
    ScriptedRandom after({Pick(15), Pick(4), 0.0f});
    EXPECT_EQ(ChooseWeapon(chooser, after), 4);
    EXPECT_EQ(after.Used(), 3u);
}

TEST(WeaponChoice, WeaponFortyFiveComesBackAsPictureSixtyFour) {
    WeaponChooser chooser;
    ScriptedRandom setUp(std::vector<float>(34, 0.0f), 0.0f);
    SetUpWeaponQuotas(chooser, setUp, 10);
    chooser.WeaponQuota[45] = 1;
    ScriptedRandom pick({Pick(45), 0.0f});
    EXPECT_EQ(ChooseWeapon(chooser, pick), 64);
    EXPECT_EQ(chooser.WeaponQuota[45], 0);
}

TEST(WeaponChoice, ManyMapsKeepQuotasAndNeverRepeatAPick) {
    Random rng;
    rng.Reset();
    rng.Seed(2024);
    WeaponChooser chooser;
    std::map<int, int> total;
    int sixtyFour = 0;
    for (int map = 0; map < 400; ++map) {
        const std::int32_t n = 5 + map % 120;
        SetUpWeaponQuotas(chooser, rng, n);
        const auto quota = chooser.WeaponQuota;
        std::array<int, 65> used{};
        int previous = -1;
        for (int i = 0; i < n; ++i) {
            const int picture = ChooseWeapon(chooser, rng);
            ASSERT_GE(picture, 1);
            ASSERT_LE(picture, 64);
            ASSERT_NE(picture, 45);
            ASSERT_NE(picture, previous) << "map " << map << " pick " << i;
            previous = picture;
            const int k = picture == 64 ? 45 : picture;
            sixtyFour += picture == 64;
            ++used[static_cast<std::size_t>(k)];
            ++total[k];
            const auto q = quota[static_cast<std::size_t>(k)];
            if (q != -1) {
                ASSERT_LE(used[static_cast<std::size_t>(k)], q) << "weapon " << k;
            }
        }
    }
    // Unlimited weapons are taken in proportion to their weights: 1 against 0.2.
    const double ratio = static_cast<double>(total[1]) / total[17];
    EXPECT_NEAR(ratio, 5.0, 0.75);
    const double half = static_cast<double>(total[10]) / total[1];  // 0.8 against 1
    EXPECT_NEAR(half, 0.8, 0.1);
    EXPECT_GE(sixtyFour + total[27] + total[20], 1);
}

}  // namespace
}  // namespace orvane

#include "weapons/WeaponChoice.h"

#include "core/Numeric.h"

namespace orvane {
namespace {

constexpr int kWeaponCount = 63;

// Per weapon: acceptance weight and, for limited weapons, the quota RndInt(Fix(n / D) + A) + B
// for a map of n spots. D = 0 marks an unlimited weapon. Index 0 is unused.
struct WeaponRule {
    float weight;
    int d;
    int a;
    int b;
};

constexpr std::array<WeaponRule, kWeaponCount + 1> kRules = {{
    {0.0f, 0, 0, 0},                                               // (unused)
    {1.0f, 0, 0, 0},    {0.4f, 50, 0, 3},    {1.0f, 0, 0, 0},      // 1..3
    {1.0f, 0, 0, 0},    {1.0f, 0, 0, 0},     {0.35f, 0, 0, 0},     // 4..6
    {1.0f, 0, 0, 0},    {0.05f, 300, 1, 0},  {1.0f, 0, 0, 0},      // 7..9
    {0.8f, 0, 0, 0},    {1.0f, 0, 0, 0},     {0.7f, 0, 0, 0},      // 10..12
    {1.0f, 0, 0, 0},    {0.33f, 70, 0, 2},   {0.22f, 90, 0, 1},    // 13..15
    {0.4f, 0, 0, 0},    {0.2f, 0, 0, 0},     {0.2f, 0, 0, 0},      // 16..18
    {0.2f, 0, 0, 0},    {0.01f, 0, 0, 0},    {0.2f, 0, 0, 0},      // 19..21
    {0.2f, 0, 0, 0},    {0.2f, 0, 0, 0},     {0.1f, 100, 1, 0},    // 22..24
    {0.33f, 0, 0, 0},   {0.2f, 0, 0, 0},     {0.01f, 0, 0, 0},     // 25..27
    {0.2f, 100, 0, 1},  {0.2f, 0, 0, 0},     {0.2f, 130, 1, 0},    // 28..30
    {0.2f, 0, 0, 0},    {0.33f, 130, 2, 0},  {0.06f, 200, 1, 0},   // 31..33
    {0.2f, 150, 1, 0},  {0.08f, 200, 1, 0},  {0.09f, 150, 1, 0},   // 34..36
    {0.09f, 150, 1, 0}, {0.04f, 500, 1, 0},  {0.3f, 0, 0, 0},      // 37..39
    {0.15f, 100, 0, 1}, {0.25f, 0, 0, 0},    {0.15f, 0, 0, 0},     // 40..42
    {0.3f, 0, 0, 0},    {0.07f, 200, 1, 0},  {0.01f, 500, 1, 0},   // 43..45
    {0.07f, 200, 1, 0}, {0.01f, 500, 1, 0},  {0.07f, 200, 1, 0},   // 46..48
    {0.01f, 200, 1, 0}, {0.08f, 300, 1, 0},  {0.07f, 300, 1, 0},   // 49..51
    {0.07f, 200, 1, 0}, {0.05f, 400, 1, 0},  {0.01f, 500, 1, 0},   // 52..54
    {0.01f, 400, 1, 0}, {0.2f, 100, 0, 1},   {0.05f, 200, 1, 0},   // 55..57
    {0.05f, 200, 1, 0}, {0.05f, 200, 1, 0},  {0.001f, 600, 1, 0},  // 58..60
    {0.09f, 0, 0, 0},   {0.001f, 600, 1, 0}, {0.03f, 200, 1, 0},   // 61..63
}};

// Weapon 45 draws its quota after all the others, so the draw order is fixed around it.
constexpr int kDrawnLast = kRenumberedWeapon;

void DrawQuota(WeaponChooser& chooser, Random& rng, int k, std::int32_t spotCount) {
    const WeaponRule& rule = kRules[static_cast<std::size_t>(k)];
    auto& quota = chooser.WeaponQuota[static_cast<std::size_t>(k)];
    if (rule.d == 0) {
        quota = -1;
        return;
    }
    const auto base = static_cast<std::int32_t>(Fix(static_cast<double>(spotCount) / rule.d));
    quota = CheckedAdd(rng.RndInt(CheckedAdd(base, rule.a)), rule.b);
}

}  // namespace

void SetUpWeaponQuotas(WeaponChooser& chooser, Random& rng, std::int32_t spotCount) {
    for (int k = 1; k <= kWeaponCount; ++k) {
        if (k != kDrawnLast) DrawQuota(chooser, rng, k, spotCount);
    }
    DrawQuota(chooser, rng, kDrawnLast, spotCount);
    chooser.RemainingKinds = kWeaponCount;
    for (int k = 1; k <= kWeaponCount; ++k) {
        if (chooser.WeaponQuota[static_cast<std::size_t>(k)] == 0) --chooser.RemainingKinds;
    }
}

int ChooseWeapon(WeaponChooser& chooser, Random& rng) {
    std::array<float, kWeaponCount + 1> weight{};
    for (int k = 1; k <= kWeaponCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        weight[i] = chooser.WeaponQuota[i] == 0 ? 0.0f : kRules[i].weight;
    }
    // The weapon just chosen sits out one turn, unless it is the only kind left.
    if (chooser.RemainingKinds != 1 && chooser.LastPick != 0 && weight[chooser.LastPick] != 0.0f)
        weight[chooser.LastPick] = 0.0f;
    if (chooser.RemainingKinds == 0) return 0;

    int k = 0;
    for (;;) {
        k = rng.RndInt(kWeaponCount - 1) + 1;
        const float w = weight[static_cast<std::size_t>(k)];
        if (w != 0.0f && rng.Rnd() <= w) break;
    }

    chooser.LastPick = static_cast<std::uint8_t>(k);
    auto& quota = chooser.WeaponQuota[static_cast<std::size_t>(k)];
    if (quota != -1) {
        --quota;
        if (quota == 0) {
            // Used up: its weight is 0 from now on, so it needs no bar on the next turn.
            --chooser.RemainingKinds;
            chooser.LastPick = 0;
        }
    }
    return k == kRenumberedWeapon ? kRenumberedWeaponPicture : k;
}

}  // namespace orvane

#pragma once
// Which weapon goes into each cell: per-map quotas, acceptance weights, never the same twice
// in a row. The chooser outlives maps: its last pick bars the next map's first choice.
#include <array>
#include <cstdint>

#include "core/Random.h"

namespace orvane {

struct WeaponChooser {
    std::array<std::int32_t, 64> WeaponQuota{};  // [1..63]; -1 = unlimited
    std::uint8_t RemainingKinds = 0;
    std::uint8_t LastPick = 0;
};

// Weapon 45's picture is stored under another number.
inline constexpr int kRenumberedWeapon = 45;
inline constexpr int kRenumberedWeaponPicture = 64;

// The weapon a picture number shows.
constexpr int WeaponOfPicture(int picture) {
    return picture == kRenumberedWeaponPicture ? kRenumberedWeapon : picture;
}

// Prepares the quotas for a map of `spotCount` cells (one draw per limited weapon).
void SetUpWeaponQuotas(WeaponChooser& chooser, Random& rng, std::int32_t spotCount);

// The picture number for the next cell (1..64, never 45), or 0 when no kind remains.
int ChooseWeapon(WeaponChooser& chooser, Random& rng);

}  // namespace orvane

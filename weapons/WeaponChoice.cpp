// PLACEHOLDER until the walk-for-weapons stage lands.
#include "weapons/WeaponChoice.h"

namespace orvane {

int ChooseWeapon(WeaponChooser&, Random&, bool, std::int32_t) { return 0; }

}  // namespace orvane

#pragma once
// A weapon cell reserved on a land surface: the frame is drawn when it is reserved, the
// picture goes in after the finishing effects.
#include <cstdint>

#include "core/Rect.h"

namespace orvane {

struct WeaponSpot {
    Rect Box;                     // the picture cell
    std::int32_t PieceIndex = 0;  // piece the spot was found on
};

}  // namespace orvane

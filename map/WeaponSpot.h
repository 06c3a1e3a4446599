#pragma once
// A weapon cell reserved on a land surface: the frame is drawn when it is reserved, the
// picture goes in after the finishing effects.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/Rect.h"

namespace orvane {

struct WeaponSpot {
    Rect Box;                     // the picture cell
    std::int32_t PieceIndex = 0;  // piece the spot was found on
};

// The first spot (counted from 1) whose cell intersects `box` shrunk by 2 on every side:
// neighbouring cells may share up to 2 pixels on a side.
inline std::optional<std::int32_t> FindSpotOverlap(const std::vector<WeaponSpot>& spots,
                                                   const Rect& box) {
    const Rect inner{box.Left + 2, box.Top + 2, box.Right - 2, box.Bottom - 2};
    for (std::size_t i = 0; i < spots.size(); ++i) {
        if (Intersects(spots[i].Box, inner)) return static_cast<std::int32_t>(i) + 1;
    }
    return std::nullopt;
}

}  // namespace orvane

#pragma once
#include <cstdint>

namespace orvane {

// Where ResizeCanvas keeps the old picture: the 3 x 3 grid read row by row.
enum class Anchor : std::uint8_t {
    TopLeft,
    TopCentre,
    TopRight,
    MiddleLeft,
    Centre,
    MiddleRight,
    BottomLeft,
    BottomCentre,
    BottomRight,
};

}  // namespace orvane

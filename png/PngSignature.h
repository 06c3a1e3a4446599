#pragma once
// The eight bytes every PNG file starts with.
#include <array>
#include <cstdint>

namespace orvane {

inline constexpr std::array<std::uint8_t, 8> kPngSignature = {137, 80, 78, 71, 13, 10, 26, 10};

}  // namespace orvane

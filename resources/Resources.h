#pragma once
// Files built into the binaries: the label font, the weapon pictures and the program icon.
#include <cstdint>
#include <span>

namespace orvane {

// DejaVu Sans Bold, the font of every text the canvas draws.
std::span<const std::uint8_t> FontBold();

// PNG bytes of weapon picture `number` (1..64 without 45); throws RunError when there is none.
std::span<const std::uint8_t> WeaponPicturePng(int number);

// PNG bytes of the program icon at `size` pixels (16, 32, 48); empty when not built in.
std::span<const std::uint8_t> IconPng(int size);

}  // namespace orvane

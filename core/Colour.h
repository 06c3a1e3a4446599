#pragma once
// Colours are packed red + 256 * green + 65536 * blue; 0 (black) is empty space.
#include <cstdint>

// <windows.h> (which FLTK's headers include on Windows) defines RGB as a macro.
#undef RGB

namespace orvane {

using Colour = std::uint32_t;

constexpr Colour RGB(int r, int g, int b) {
    return static_cast<Colour>((r & 255) | ((g & 255) << 8) | ((b & 255) << 16));
}
constexpr int RedOf(Colour c) {
    return static_cast<int>(c & 255);
}
constexpr int GreenOf(Colour c) {
    return static_cast<int>((c >> 8) & 255);
}
constexpr int BlueOf(Colour c) {
    return static_cast<int>((c >> 16) & 255);
}

}  // namespace orvane

#pragma once
// Eight-entry colour tables drawn once per map for the decorations.
#include <array>
#include <cstdint>

#include "core/Colour.h"
#include "core/RunError.h"

namespace orvane {

using ColourTable = std::array<Colour, 8>;  // entries 1..8 are [0]..[7]

// Entry i (1..8) of a colour table.
inline Colour TableEntry(const ColourTable& table, std::int32_t i) {
    if (i < 1 || i > 8) throw RunError("Colour table index out of range");
    return table[static_cast<std::size_t>(i - 1)];
}

}  // namespace orvane

#pragma once
// Small random idioms the drawers share.
#include <cstdint>

#include "core/Random.h"
#include "map/MapState.h"

namespace orvane::decor {

using orvane::RandomShade;

// One of the eight entries of a colour table.
inline Colour RandomEntry(Random& rng, const ColourTable& table) {
    return TableEntry(table, rng.RndInt(7) + 1);
}

// A value -p..p around zero, from the current pen width p.
inline std::int32_t Jitter(Random& rng, std::int32_t p) {
    return p - rng.RndInt(2 * p);
}

}  // namespace orvane::decor

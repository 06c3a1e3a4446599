#pragma once
// What the drawers share: the placement contract and small random idioms.
#include <cstdint>

#include "core/Random.h"
#include "map/MapState.h"
#include "terrain/decor/Decorations.h"

namespace orvane::decor {

using orvane::RandomShade;

// The contract every drawer keeps once its size draws are made: an object is drawn only when
// it stands on land (onGround, the drawer's own ground test) in an empty box (isFree, which
// may make draws of its own first). A placed object is counted and moves the sweep on by its
// width - 1; a declined one draws nothing more and leaves the sweep where it is.
template <typename IsFree, typename Draw>
std::int32_t StandDecoration(DecorTarget& target, Drawer kind, std::int32_t width, bool onGround,
                             IsFree isFree, Draw draw) {
    if (!onGround || !isFree()) return 0;
    draw();
    target.stats.CountDecoration(kind);
    return width - 1;
}

// A size drawn as RndInt(range) + least.
struct SizeDraw {
    std::int32_t range;
    std::int32_t least;
};

// An object's width and height, drawn in the drawer's own order, and its top row (its bottom
// row is base). Drawers copy the fields into named locals rather than bind them with auto [...]:
// clang before 16 cannot capture a structured binding in a lambda.
struct DecorBox {
    std::int32_t w;
    std::int32_t h;
    std::int32_t top;
};

inline DecorBox DrawBox(Random& rng, std::int32_t base, SizeDraw width, SizeDraw height,
                        bool heightFirst = false) {
    const auto draw = [&](SizeDraw s) { return rng.RndInt(s.range) + s.least; };
    DecorBox box{};
    if (heightFirst) {
        box.h = draw(height);
        box.w = draw(width);
    } else {
        box.w = draw(width);
        box.h = draw(height);
    }
    box.top = base - box.h + 1;
    return box;
}

// One of the eight entries of a colour table.
inline Colour RandomEntry(Random& rng, const ColourTable& table) {
    return TableEntry(table, rng.RndInt(7) + 1);
}

// A value -p..p around zero, from the current pen width p.
inline std::int32_t Jitter(Random& rng, std::int32_t p) {
    return p - rng.RndInt(2 * p);
}

}  // namespace orvane::decor

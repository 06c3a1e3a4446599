#pragma once
// Every picture effect with fixed arguments, in the canvas's numbering (1, 2A .. 7).
#include <functional>
#include <vector>

#include "canvas/Canvas.h"

namespace orvane::test {

inline const std::vector<std::function<void(Canvas&)>>& AllEffects() {
    static const std::vector<std::function<void(Canvas&)>> effects = {
        [](Canvas& c) { c.ApplyEffect1(); },
        [](Canvas& c) { c.ApplyEffect2A(); },
        [](Canvas& c) { c.ApplyEffect2B(); },
        [](Canvas& c) { c.ApplyEffect2C(); },
        [](Canvas& c) { c.ApplyEffect3A(); },
        [](Canvas& c) { c.ApplyEffect3B(); },
        [](Canvas& c) { c.ApplyEffect4A(); },
        [](Canvas& c) { c.ApplyEffect4B(); },
        [](Canvas& c) { c.ApplyEffect4C(); },
        [](Canvas& c) { c.ApplyEffect5A(); },
        [](Canvas& c) { c.ApplyEffect5B(); },
        [](Canvas& c) { c.ApplyEffect6(); },
        [](Canvas& c) { c.ApplyEffect7(30, RGB(230, 200, 160)); },
    };
    return effects;
}

}  // namespace orvane::test

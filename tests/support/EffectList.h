#pragma once
// Every picture effect with fixed arguments, in the order a map's blocks run them (1, 2A .. 7).
#include <functional>
#include <vector>

#include "canvas/Canvas.h"

namespace orvane::test {

inline const std::vector<std::function<void(Canvas&)>>& AllEffects() {
    static const std::vector<std::function<void(Canvas&)>> effects = [] {
        std::vector<std::function<void(Canvas&)>> list;
        for (int e = 0; e <= static_cast<int>(PictureEffect::Crumble); ++e)
            list.push_back([e](Canvas& c) { c.ApplyEffect(static_cast<PictureEffect>(e)); });
        list.push_back([](Canvas& c) { c.ApplyEffect7(30, RGB(230, 200, 160)); });
        return list;
    }();
    return effects;
}

}  // namespace orvane::test

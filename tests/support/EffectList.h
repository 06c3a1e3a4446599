#pragma once
// Every picture effect with fixed arguments, in the order a map's blocks run them (1, 2A .. 7).
#include <functional>
#include <vector>

#include "canvas/Canvas.h"

namespace orvane::test {

inline const std::vector<std::function<void(Canvas&)>>& AllEffects() {
    static const std::vector<std::function<void(Canvas&)>> effects = {
        [](Canvas& c) { c.ApplyEffect(PictureEffect::Relief); },
        [](Canvas& c) { c.ApplyEffect(PictureEffect::Blur); },
        [](Canvas& c) { c.ApplyEffect(PictureEffect::Sharpen); },
        [](Canvas& c) { c.ApplyEffect(PictureEffect::Edges); },
        [](Canvas& c) { c.ApplyEffect(PictureEffect::Grain); },
        [](Canvas& c) { c.ApplyEffect(PictureEffect::Mosaic); },
        [](Canvas& c) { c.ApplyEffect(PictureEffect::Solarise); },
        [](Canvas& c) { c.ApplyEffect(PictureEffect::Posterise); },
        [](Canvas& c) { c.ApplyEffect(PictureEffect::Swirl); },
        [](Canvas& c) { c.ApplyEffect(PictureEffect::Waves); },
        [](Canvas& c) { c.ApplyEffect(PictureEffect::HueTurn); },
        [](Canvas& c) { c.ApplyEffect(PictureEffect::Crumble); },
        [](Canvas& c) { c.ApplyEffect7(30, RGB(230, 200, 160)); },
    };
    return effects;
}

}  // namespace orvane::test

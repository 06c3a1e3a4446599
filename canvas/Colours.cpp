// Whole-picture colour passes: counting and replacing colours.
#include <cstdlib>

#include "canvas/Canvas.h"
#include "palette/ColourMap.h"

namespace orvane {

int Canvas::CountColours() const {
    ColourMap seen(1024);
    Colour last = 0;
    bool any = false;
    for (const Colour c : pixels_) {
        if (any && c == last) continue;
        seen.At(c);
        last = c;
        any = true;
    }
    return static_cast<int>(seen.Size());
}

void Canvas::ReplaceColour(Colour from, Colour to, std::int32_t tolerance) {
    if (tolerance < 0) return;
    const int r = RedOf(from), g = GreenOf(from), b = BlueOf(from);
    for (Colour& c : pixels_) {
        if (c == from ||
            (std::abs(RedOf(c) - r) <= tolerance && std::abs(GreenOf(c) - g) <= tolerance &&
             std::abs(BlueOf(c) - b) <= tolerance))
            c = to;
    }
}

}  // namespace orvane

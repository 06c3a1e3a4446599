#include "effects/Effects.h"

namespace orvane::fx {

void Sharpen(Image img, Options options) {
    // Strength 0.5..2 times the difference from a small blur.
    FilterLand(img, 1, options.A());
}

}  // namespace orvane::fx

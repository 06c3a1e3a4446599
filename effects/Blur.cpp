#include "effects/Effects.h"

namespace orvane::fx {

void Blur(Image img, Options options) {
    FilterLand(img, options.A() / 5, -10);
}

}  // namespace orvane::fx

// PLACEHOLDER until the finishing stage lands.
#include "finish/RandomEffects.h"

namespace orvane {

void ApplyRandomEffects(MapState&, Random&, float, bool) {}

}  // namespace orvane

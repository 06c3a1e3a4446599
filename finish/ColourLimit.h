#pragma once
// The colour limit (at most 64 colours, empty corner) and the enlargement to final size.
#include "canvas/IndexedPicture.h"
#include "core/Random.h"
#include "map/MapState.h"

namespace orvane {

void LimitPalette(MapState& map, Random& rng, bool effectsFlag, bool rareFlag);
void ScalePicture(MapState& map);
void ScalePicture(IndexedPicture& picture, std::int32_t scaleTenths);

}  // namespace orvane

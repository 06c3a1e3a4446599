#pragma once
// The colour limit (at most 64 colours, empty corner) and the enlargement to final size.
#include "canvas/ColourMap.h"
#include "canvas/IndexedPicture.h"
#include "core/Random.h"
#include "map/MapState.h"

namespace orvane {

// With `deferred`, the canvas may be left with its land colours still to be mapped through
// `deferred` (see Canvas::ReduceColoursThenLimit).
void LimitPalette(MapState& map, Random& rng, bool effectsFlag, bool rareFlag,
                  ColourMap* deferred = nullptr);
void ScalePicture(MapState& map);
void ScalePicture(IndexedPicture& picture, std::int32_t scaleTenths);
// A side once enlarged: rounded half to even, then down to a multiple of 8. A side that would
// vanish keeps 8 pixels, so a picture cropped to a sliver still has a size.
std::int32_t ScaledSide(std::int32_t scaleTenths, std::int32_t side);

}  // namespace orvane

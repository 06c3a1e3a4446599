#pragma once
// The colour limit (at most 64 colours, empty corner) and the enlargement to final size.
#include "core/Random.h"
#include "map/MapState.h"
#include "palette/ColourMap.h"
#include "palette/IndexedPicture.h"

namespace orvane {

// The colour limit's choices, drawn on the run's thread. Its pixel work draws nothing.
struct ColourLimitPlan {
    bool pending = false;  // the pixel work is still to be done by ApplyColourLimit
    std::int32_t count = 0;
    ReduceOptions first;
};

// At most 64 colours and an empty corner pixel, with the pixel work left in the plan when it
// can wait: which pixels are empty stays as it is unless the corner is land, and the steps after
// it depend on nothing else.
ColourLimitPlan LimitPaletteLater(MapState& map, Random& rng, bool effectsFlag, bool rareFlag);
// The pixel work of a pending plan; with `deferred`, the last remap is left to it, and with
// threads >= 2 its census may use a second thread (see Canvas::ReduceColoursThenLimit).
void ApplyColourLimit(Canvas& canvas, const ColourLimitPlan& plan, std::vector<int>& paletteSizes,
                      ColourMap* deferred = nullptr, unsigned threads = 1);
// The enlargement in one pass; kept as the tests' reference for the enlarged rows maps write.
void ScalePicture(IndexedPicture& picture, std::int32_t scaleTenths);
// A side once enlarged: rounded half to even, then down to a multiple of 8. A side that would
// vanish keeps 8 pixels, so a picture cropped to a sliver still has a size.
std::int32_t ScaledSide(std::int32_t scaleTenths, std::int32_t side);

}  // namespace orvane

#pragma once
// A map's last steps once its colours are limited: crop to the land, enlargement, cut patterns
// and the minimum size. Their draws depend on nothing but sizes, which are known as soon as the
// crop is; so the draws are made at once, in the generator's order, and the pixel work may
// follow later on another thread, touching nothing but the picture.
#include <cstdint>

#include "canvas/IndexedPicture.h"
#include "core/Random.h"
#include "core/Rect.h"
#include "finish/Patterns.h"
#include "map/MapStats.h"

namespace orvane {

struct FinalSteps {
    Rect crop;  // the land and everything else that is not empty space
    std::int32_t scaleTenths = 10;
    PatternCuts patterns;
    std::int32_t width = 0;  // the finished picture's size
    std::int32_t height = 0;
};

// Makes the draws of the last steps for `picture` (each pattern with chance p) and names the
// patterns in `stats`.
FinalSteps PlanFinalSteps(const IndexedPicture& picture, std::int32_t scaleTenths, MapStats& stats,
                          Random& rng, float p);
// Brings the picture to its finished pixels and size; the palette ends in ascending order.
void ApplyFinalSteps(IndexedPicture& picture, FinalSteps& steps);

}  // namespace orvane

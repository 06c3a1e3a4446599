#pragma once
// Cut patterns of empty space through the finished picture, each with chance p.
#include <memory>

#include "core/Random.h"
#include "map/MapStats.h"
#include "palette/IndexedPicture.h"

namespace orvane {

// Draws and cuts at once; kept as the tests' reference for the deferred form below.
void DrawPatterns(IndexedPicture& picture, MapStats& stats, Random& rng, float p);

// The pattern draws depend on nothing but the picture's size, so they can be made before the
// picture is ready and the cuts made later, from a generator that replays them.
struct PatternCuts {
    std::int32_t width = 0;
    std::int32_t height = 0;
    float p = 0;
    std::unique_ptr<Random> replay;  // none when no pattern was chosen
};

// Makes the draws of DrawPatterns for a width x height picture and names the patterns chosen.
PatternCuts DrawPatternChoices(std::int32_t width, std::int32_t height, MapStats& stats,
                               Random& rng, float p);
// Cuts the patterns chosen into the picture, which must have the size they were drawn for.
void CutPatterns(IndexedPicture& picture, PatternCuts& cuts);

}  // namespace orvane

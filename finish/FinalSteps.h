#pragma once
// A map's last steps once its colours are limited: crop to the land, enlargement, cut patterns
// and the minimum size. Their draws depend on nothing but sizes, which are known as soon as the
// crop is; so the draws are made at once, in the generator's order, and the pixel work may
// follow later on another thread, touching nothing but the picture.
#include <cstdint>
#include <optional>

#include "canvas/Canvas.h"
#include "core/Random.h"
#include "core/Rect.h"
#include "finish/ColourLimit.h"
#include "finish/Patterns.h"
#include "map/MapStats.h"
#include "palette/EnlargedRows.h"
#include "palette/IndexedPicture.h"

namespace orvane {

struct FinalSteps {
    ColourLimitPlan limit;   // the colour limit, when its pixel work is still to be done
    Rect crop;               // the land and everything else that is not empty space
    PatternCuts patterns;    // drawn for the enlarged crop, so they hold its size
    std::int32_t width = 0;  // the finished picture's size
    std::int32_t height = 0;
};

// Makes the draws of the last steps for `canvas`, whose colours are limited (each pattern with
// chance p), and names the patterns in `stats`. Only which pixels are empty matters here, so
// the canvas may still wait for its colour mapping.
FinalSteps PlanFinalSteps(const Canvas& canvas, std::int32_t scaleTenths, MapStats& stats,
                          Random& rng, float p);
// The crop of the canvas as palette indices, with room to be enlarged in place unless
// FinishedRows will enlarge them row by row, the canvas freed as soon as they are made. A pending
// colour limit is applied first, its palette sizes added to `paletteSizes`. With threads >= 2
// the passes over a large canvas use a second thread; the result is the same.
IndexedPicture PaletteIndices(Canvas canvas, const FinalSteps& steps,
                              std::vector<int>& paletteSizes, unsigned threads = 1);
// The bytes PaletteIndices allocates, and the most its picture holds through the last steps.
std::size_t IndicesBytes(const FinalSteps& steps);
std::size_t LastStepsBytes(const FinalSteps& steps);
// The rest of the last steps on those indices: the finished picture.
IndexedPicture ApplyFinalSteps(IndexedPicture picture, FinalSteps& steps);
// When the rest of the last steps only enlarge the indices and add empty space (no cut
// patterns), the finished picture as rows made while they are read, so it is never held whole
// (`picture`, PaletteIndices' result, is kept by reference); else nothing, and ApplyFinalSteps
// must be used.
std::optional<EnlargedRows> FinishedRows(const IndexedPicture& picture, const FinalSteps& steps);

}  // namespace orvane

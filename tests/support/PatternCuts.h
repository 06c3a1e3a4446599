#pragma once
// Cut patterns as maps cut them, for tests and sheets that look at them on a canvas.
#include <cstddef>

#include "canvas/Canvas.h"
#include "core/Random.h"
#include "finish/Patterns.h"
#include "map/MapStats.h"
#include "palette/IndexedPicture.h"

namespace orvane::test {

// Draws the patterns for the canvas's size, cuts them into a palette picture of its land, and
// empties the canvas where they cut: a mask of the land stands in for the colours, so a canvas
// of any number of colours can be cut.
inline void CutPatternsAsMapsDo(Canvas& canvas, MapStats& stats, Random& rng, float p) {
    const std::int32_t w = canvas.GetWidth();
    const std::int32_t h = canvas.GetHeight();
    Canvas land;
    land.CreateImage(w, h);
    for (std::size_t i = 0; i < canvas.Pixels().size(); ++i)
        land.Pixels()[i] = canvas.Pixels()[i] != 0 ? RGB(255, 255, 255) : 0;
    IndexedPicture picture = IndexedPicture::FromColours(land, Rect{0, 0, w, h}, 0, true, nullptr);
    PatternCuts cuts = DrawPatternChoices(w, h, stats, rng, p);
    CutPatterns(picture, cuts);
    for (std::size_t i = 0; i < canvas.Pixels().size(); ++i)
        if (picture.Pixels()[i] == 0) canvas.Pixels()[i] = 0;
}

}  // namespace orvane::test

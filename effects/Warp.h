#pragma once
// The common core of the effects that move land (swirl, waves).
#include <vector>

#include "effects/EffectSupport.h"

namespace orvane::fx {

// Pixel (x, y) of a w x h buffer; 0 outside it.
inline Colour PixelAt(std::span<const Colour> px, int w, int h, int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h) return 0;
    return px[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
              static_cast<std::size_t>(x)];
}

// Moves the picture through a mapping from each destination pixel to its source position.
// Sampling takes the nearest source pixel, or another land pixel of the 2 x 2 cell around the
// position, so thin land does not break into dust; leftover specks are swept away. With
// `keepLandShape`, the land then takes back its former shape: what was empty is emptied again,
// and land the move left empty keeps its own colour (done here, from the copy the move reads,
// so that no third map-size picture is needed).
template <typename SourceOf>
void Warp(Image img, bool keepLandShape, SourceOf sourceOf) {
    const UnzeroedBuffer<Colour> src(img.px.begin(), img.px.end());
    const auto in = [&](int x, int y) { return PixelAt(src, img.w, img.h, x, y); };
    for (int y = 0; y < img.h; ++y) {
        for (int x = 0; x < img.w; ++x) {
            double sx = 0, sy = 0;
            sourceOf(x, y, sx, sy);
            const double fx = sx < -2.0 ? -2.0 : (sx > img.w + 2.0 ? img.w + 2.0 : sx);
            const double fy = sy < -2.0 ? -2.0 : (sy > img.h + 2.0 ? img.h + 2.0 : sy);
            const int x0 = static_cast<int>(fx + 2.0) - 2;
            const int y0 = static_cast<int>(fy + 2.0) - 2;
            const int nx = x0 + (fx - x0 >= 0.5 ? 1 : 0);
            const int ny = y0 + (fy - y0 >= 0.5 ? 1 : 0);
            Colour c = in(nx, ny);
            if (c == 0) c = in(x0, y0);
            if (c == 0) c = in(x0 + 1, y0);
            if (c == 0) c = in(x0, y0 + 1);
            if (c == 0) c = in(x0 + 1, y0 + 1);
            img.At(x, y) = c;
        }
    }
    RemoveSpecks(img, 4, nullptr);
    if (!keepLandShape) return;
    for (std::size_t i = 0; i < src.size(); ++i) {
        if (src[i] == 0)
            img.px[i] = 0;
        else if (img.px[i] == 0)
            img.px[i] = src[i];
    }
}

}  // namespace orvane::fx

#pragma once
// The picture effects, one function each, on a picture's pixels. Each keeps the size, draws no
// random numbers (noise comes from a hash of the pixel position) and leaves a playable map:
// empty space stays empty and land stays land, except where an effect moves whole regions
// (swirl, waves) or cuts on purpose (crumble); those sweep away the specks they could leave.
// The canvas applies them with Canvas::ApplyEffect (bricks: Canvas::ApplyEffect7).
#include "effects/EffectSupport.h"

namespace orvane::fx {

// Land lit from the top left, edges against the sky bevelled. A: depth.
void Relief(Image img, Options options);
// Land averaged with nearby land only, so outlines stay sharp. A: radius.
void Blur(Image img, Options options);
// Land pushed away from its own blur. A: strength.
void Sharpen(Image img, Options options);
// Land darkened, colour edges and outlines glowing. B: glow gain.
void Edges(Image img, Options options);
// Brightness noise on land. B: strength.
void Grain(Image img, Options options);
// Land in square cells takes the cell's mean land colour. A: cell side.
void Mosaic(Image img, Options options);
// Channels above a threshold inverted. B: threshold.
void Solarise(Image img, Options options);
// Few levels per channel. A: number of levels.
void Posterise(Image img, Options options);
// The picture turned about its centre, most near the middle. A: angle.
void Swirl(Image img, Options options);
// Rows and columns shifted along sine waves. A: amplitude, B: wavelength.
void Waves(Image img, Options options);
// Colours rotated around the grey axis. B: angle.
void HueTurn(Image img, Options options);
// Land edges bitten away in rough blobs, loose crumbs dropped. A: bite depth.
void Crumble(Image img, Options options);
// Land laid as staggered bricks of `size` pixels with mortar joints in `mortar`, each brick a
// little lighter or darker.
void Bricks(Image img, std::int32_t size, Colour mortar);

}  // namespace orvane::fx

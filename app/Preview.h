#pragma once
// The small picture a front end shows of a finished map, made in memory from the canvas.
#include "app/RunListener.h"
#include "canvas/Canvas.h"
#include "palette/EnlargedRows.h"
#include "palette/IndexedPicture.h"

namespace orvane {

// `canvas` scaled down to fit `maxWidth` x `maxHeight` with its aspect kept (never enlarged),
// by nearest-neighbour sampling at pixel centres: every preview pixel is a colour of the map,
// and the cost is one read per preview pixel. An empty preview when a bound is not positive.
MapPreview MakePreview(const Canvas& canvas, int maxWidth, int maxHeight);
MapPreview MakePreview(const IndexedPicture& picture, int maxWidth, int maxHeight);
MapPreview MakePreview(const EnlargedRows& rows, int maxWidth, int maxHeight);

}  // namespace orvane

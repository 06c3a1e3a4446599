#pragma once
// Row-oriented drawing helpers shared by the canvas shape operations. Everything here clips
// against the picture and works in 64-bit coordinates, so callers may pass any 32-bit values.
#include <cstdint>
#include <functional>
#include <span>

#include "core/Colour.h"
#include "pixels/PixelGrid.h"

namespace orvane::raster {

using ColourGrid = PixelGrid<Colour>;
using IndexGrid = PixelGrid<std::uint8_t>;

// Pen widths below 1 draw as 1; absurdly wide pens are held at 65536 so a stray value cannot
// exhaust memory.
inline std::int64_t BrushSize(std::int32_t penWidth) {
    return penWidth < 1 ? 1 : (penWidth > 65536 ? 65536 : penWidth);
}

// Throws RunError unless width x height is a picture size the canvas accepts.
void CheckSize(std::int64_t width, std::int64_t height);

// (a * b + c) / d and its remainder, exact although a * b may need more than 64 bits; for
// a, b, c >= 0 and d > 0 whose quotient fits in 64 bits. Portable: no 128-bit type.
struct Division {
    std::int64_t quotient;
    std::int64_t remainder;
};
Division MulAddDivide(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);

// Largest s with s * s <= v (v >= 0).
std::int64_t ISqrt(std::int64_t v);

// Sets pixels x0..x1 (inclusive) of row y; parts outside the picture are skipped.
void FillRow(const ColourGrid& canvas, std::int64_t y, std::int64_t x0, std::int64_t x1,
             Colour colour);
void FillRow(const IndexGrid& picture, std::int64_t y, std::int64_t x0, std::int64_t x1,
             std::uint8_t index);

// A straight line of round-brush stamps of diameter `width` (1: plain Bresenham, both ends).
void StrokeLine(const ColourGrid& canvas, std::int64_t x1, std::int64_t y1, std::int64_t x2,
                std::int64_t y2, Colour colour, std::int64_t width);
void StrokeLine(const IndexGrid& picture, std::int64_t x1, std::int64_t y1, std::int64_t x2,
                std::int64_t y2, std::uint8_t index, std::int64_t width);

// StrokeLine on each segment of the polyline in turn, and from its last point back to its
// first when `closed`; a single point is stamped once.
void StrokePolyline(const ColourGrid& canvas, std::span<const std::int32_t> xs,
                    std::span<const std::int32_t> ys, bool closed, Colour colour,
                    std::int64_t width);

// Inclusive column range of one row of a shape; empty when left > right.
struct Span {
    std::int64_t left = 1;
    std::int64_t right = 0;
};

// Paints a convex shape given row by row for rows top..bottom: the outer band of `penWidth`
// pixels in the pen colour, the rest in the fill colour. The band is everything closer than
// `penWidth` to the outside, so it stays inside the shape and closes on itself.
void PaintConvex(const ColourGrid& canvas, std::int64_t top, std::int64_t bottom,
                 const std::function<Span(std::int64_t)>& rowSpan, Colour fill, Colour pen,
                 std::int64_t penWidth);

}  // namespace orvane::raster

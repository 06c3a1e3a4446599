#include "canvas/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "core/RunError.h"

namespace orvane::raster {
namespace {

// Visits the Bresenham points of the line that fall inside [bx0, bx1] x [by0, by1]. The walk
// starts at the first step inside the box, so a line reaching far outside the picture costs
// only the steps that cross it.
template <class Visit>
void WalkLine(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int64_t bx0,
              std::int64_t by0, std::int64_t bx1, std::int64_t by1, Visit&& visit) {
    const std::int64_t dx = x2 - x1;
    const std::int64_t dy = y2 - y1;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const std::int64_t major0 = xMajor ? x1 : y1;
    const std::int64_t minor0 = xMajor ? y1 : x1;
    const std::int64_t dMajor = xMajor ? dx : dy;
    const std::int64_t dMinor = xMajor ? dy : dx;
    const std::int64_t n = dMajor < 0 ? -dMajor : dMajor;
    const std::int64_t aMinor = dMinor < 0 ? -dMinor : dMinor;
    const std::int64_t sMajor = dMajor < 0 ? -1 : 1;
    const std::int64_t sMinor = dMinor < 0 ? -1 : 1;
    const std::int64_t lo = xMajor ? bx0 : by0;
    const std::int64_t hi = xMajor ? bx1 : by1;
    const std::int64_t minorLo = xMajor ? by0 : bx0;
    const std::int64_t minorHi = xMajor ? by1 : bx1;

    std::int64_t first = sMajor > 0 ? lo - major0 : major0 - hi;
    std::int64_t last = sMajor > 0 ? hi - major0 : major0 - lo;
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, n);
    if (first > last) return;
    // Minor offset of step i is i * aMinor / n rounded half up: floor((2 i aMinor + n) / 2n).
    // The first visible step is computed directly, the rest by the usual error stepping.
    const std::int64_t den = 2 * (n == 0 ? 1 : n);
    // 2 * first * aMinor reaches 2^67 for 33-bit distances, hence the exact wide division; a
    // walk from the first point (the usual case) starts at offset 0 with remainder n.
    const auto [startOff, startRem] =
        first == 0 ? Division{0, n} : MulAddDivide(2 * first, aMinor, n, den);
    std::int64_t off = startOff;
    std::int64_t rem = startRem;
    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t minor = minor0 + sMinor * off;
        if (minor >= minorLo && minor <= minorHi) {
            const std::int64_t major = major0 + sMajor * i;
            if (xMajor)
                visit(major, minor);
            else
                visit(minor, major);
        }
        rem += 2 * aMinor;
        if (rem >= den) {
            rem -= den;
            ++off;
        }
    }
}

}  // namespace

Division MulAddDivide(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    const auto ua = static_cast<std::uint64_t>(a);
    const auto ub = static_cast<std::uint64_t>(b);
    const auto ud = static_cast<std::uint64_t>(d);
    // a * b as hi * 2^64 + lo from four 32 x 32-bit products, then + c with its carry.
    constexpr std::uint64_t kLow = 0xFFFFFFFFu;
    const std::uint64_t p00 = (ua & kLow) * (ub & kLow);
    const std::uint64_t p01 = (ua & kLow) * (ub >> 32);
    const std::uint64_t p10 = (ua >> 32) * (ub & kLow);
    const std::uint64_t p11 = (ua >> 32) * (ub >> 32);
    const std::uint64_t mid = (p00 >> 32) + (p01 & kLow) + (p10 & kLow);
    std::uint64_t lo = (p00 & kLow) | (mid << 32);
    std::uint64_t hi = p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32);
    lo += static_cast<std::uint64_t>(c);
    if (lo < static_cast<std::uint64_t>(c)) ++hi;
    if (hi == 0) return {static_cast<std::int64_t>(lo / ud), static_cast<std::int64_t>(lo % ud)};
    // Long division one bit at a time; hi < d because the quotient fits in 64 bits, and d < 2^63
    // keeps the running remainder's shift inside 64 bits.
    std::uint64_t rem = hi;
    std::uint64_t quotient = 0;
    for (int bit = 63; bit >= 0; --bit) {
        rem = (rem << 1) | ((lo >> bit) & 1u);
        if (rem >= ud) {
            rem -= ud;
            quotient |= std::uint64_t{1} << bit;
        }
    }
    return {static_cast<std::int64_t>(quotient), static_cast<std::int64_t>(rem)};
}

void CheckSize(std::int64_t width, std::int64_t height) {
    // 200 million pixels: far above the largest map, well below what memory allows.
    if (width < 0 || height < 0 || width * height > 200'000'000)
        throw RunError("Bad picture size " + std::to_string(width) + "x" + std::to_string(height));
}

std::int64_t ISqrt(std::int64_t v) {
    auto s = static_cast<std::int64_t>(std::sqrt(static_cast<double>(v)));
    while (s * s > v) --s;
    while ((s + 1) * (s + 1) <= v) ++s;
    return s;
}

namespace {

template <class Picture, class Value>
void FillRowOf(Picture& canvas, std::int64_t y, std::int64_t x0, std::int64_t x1, Value colour) {
    const std::int64_t w = canvas.GetWidth();
    if (y < 0 || y >= canvas.GetHeight()) return;
    x0 = std::max<std::int64_t>(x0, 0);
    x1 = std::min(x1, w - 1);
    if (x0 > x1) return;
    auto row = canvas.Pixels().subspan(static_cast<std::size_t>(y * w));
    std::fill(row.begin() + x0, row.begin() + x1 + 1, colour);
}

// Brush of diameter `width` as row spans relative to its top-left corner; a pixel belongs to
// it when its centre lies within width / 2 of the brush centre.
struct Brush {
    std::int64_t width = 0;
    std::vector<std::int64_t> lo, hi;
};

Brush MakeBrush(std::int64_t width) {
    Brush brush{width, std::vector<std::int64_t>(static_cast<std::size_t>(width)),
                std::vector<std::int64_t>(static_cast<std::size_t>(width))};
    for (std::int64_t j = 0; j < width; ++j) {
        const std::int64_t vy = 2 * j - (width - 1);
        // Largest |2i - (width - 1)| that still fits; it has the parity of width - 1.
        std::int64_t half = ISqrt(width * width - vy * vy);
        if ((half - (width - 1)) % 2 != 0) --half;
        brush.lo[static_cast<std::size_t>(j)] = ((width - 1) - half) / 2;
        brush.hi[static_cast<std::size_t>(j)] = ((width - 1) + half) / 2;
    }
    return brush;
}

// Outline segments are a few pixels long and almost always well inside the picture: such a
// segment is drawn here, the same pixels as the clipped walk below without its clipping, its
// walk callbacks and its heap buffers. Returns false (drawing nothing) for any other segment.
template <class Picture, class Value>
bool StrokeInside(Picture& canvas, std::int64_t x1, std::int64_t y1, std::int64_t x2,
                  std::int64_t y2, Value colour, std::int64_t width) {
    const std::int64_t w = canvas.GetWidth();
    const std::int64_t h = canvas.GetHeight();
    const std::int64_t back = width / 2;
    const std::int64_t left = std::min(x1, x2) - back, top = std::min(y1, y2) - back;
    const std::int64_t right = std::max(x1, x2) - back + width - 1;
    const std::int64_t bottom = std::max(y1, y2) - back + width - 1;
    constexpr std::int64_t kMaxRows = 64;
    if (left < 0 || top < 0 || right >= w || bottom >= h) return false;
    if (width > 1 && bottom - top >= kMaxRows) return false;

    // The walk of WalkLine from its first point: offset 0, remainder n.
    const std::int64_t dx = x2 - x1;
    const std::int64_t dy = y2 - y1;
    const std::int64_t adx = dx < 0 ? -dx : dx;
    const std::int64_t ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    const std::int64_t n = xMajor ? adx : ady;
    const std::int64_t aMinor = xMajor ? ady : adx;
    const std::int64_t den = 2 * (n == 0 ? 1 : n);
    const std::int64_t sx = dx < 0 ? -1 : 1;
    const std::int64_t sy = dy < 0 ? -1 : 1;
    Value* const pixels = canvas.Pixels().data();
    std::int64_t rem = n;

    if (width <= 1) {
        const std::int64_t majorStep = xMajor ? sx : sy * w;
        const std::int64_t minorStep = xMajor ? sy * w : sx;
        std::int64_t at = y1 * w + x1;
        for (std::int64_t i = 0;; ++i) {
            pixels[at] = colour;
            if (i == n) break;
            at += majorStep;
            rem += 2 * aMinor;
            if (rem >= den) {
                rem -= den;
                at += minorStep;
            }
        }
        return true;
    }

    thread_local Brush brush;
    if (brush.width != width) brush = MakeBrush(width);
    const std::int64_t* const brushLo = brush.lo.data();
    const std::int64_t* const brushHi = brush.hi.data();
    const std::int64_t rows = bottom - top + 1;
    std::int64_t rowLo[kMaxRows], rowHi[kMaxRows];
    for (std::int64_t r = 0; r < rows; ++r) {
        rowLo[r] = std::numeric_limits<std::int64_t>::max();
        rowHi[r] = std::numeric_limits<std::int64_t>::min();
    }
    // Points of one row form a run that widens each brush row once, as in the clipped walk.
    auto stampRun = [&](std::int64_t runY, std::int64_t runLeft, std::int64_t runRight) {
        std::int64_t* lo = rowLo + (runY - back - top);
        std::int64_t* hi = rowHi + (runY - back - top);
        for (std::int64_t j = 0; j < width; ++j) {
            lo[j] = std::min(lo[j], runLeft - back + brushLo[j]);
            hi[j] = std::max(hi[j], runRight - back + brushHi[j]);
        }
    };
    std::int64_t x = x1, y = y1;
    std::int64_t runY = y, runLeft = x, runRight = x;
    for (std::int64_t i = 1; i <= n; ++i) {
        if (xMajor)
            x += sx;
        else
            y += sy;
        rem += 2 * aMinor;
        if (rem >= den) {
            rem -= den;
            if (xMajor)
                y += sy;
            else
                x += sx;
        }
        if (y == runY) {
            runLeft = std::min(runLeft, x);
            runRight = std::max(runRight, x);
        } else {
            stampRun(runY, runLeft, runRight);
            runY = y;
            runLeft = runRight = x;
        }
    }
    stampRun(runY, runLeft, runRight);
    for (std::int64_t r = 0; r < rows; ++r) {
        Value* row = pixels + (top + r) * w;
        for (std::int64_t c = rowLo[r]; c <= rowHi[r]; ++c) row[c] = colour;
    }
    return true;
}

template <class Picture, class Value>
void StrokeLineOf(Picture& canvas, std::int64_t x1, std::int64_t y1, std::int64_t x2,
                  std::int64_t y2, Value colour, std::int64_t width) {
    const std::int64_t w = canvas.GetWidth();
    const std::int64_t h = canvas.GetHeight();
    if (w == 0 || h == 0) return;
    if (StrokeInside(canvas, x1, y1, x2, y2, colour, width)) return;
    if (width <= 1) {
        auto pixels = canvas.Pixels();
        WalkLine(x1, y1, x2, y2, 0, 0, w - 1, h - 1, [&](std::int64_t x, std::int64_t y) {
            pixels[static_cast<std::size_t>(y * w + x)] = colour;
        });
        return;
    }

    // Outlines are polylines of many short segments with one pen: the brush and the row
    // buffers are kept between calls (per thread) instead of made for every segment.
    thread_local Brush brush;
    thread_local std::vector<std::int64_t> rowLo, rowHi;
    if (brush.width != width) brush = MakeBrush(width);
    const std::vector<std::int64_t>& brushLo = brush.lo;
    const std::vector<std::int64_t>& brushHi = brush.hi;

    // The union of the stamps, collected as one column range per picture row: the strip a
    // round brush sweeps along a straight line is convex in every row.
    const std::int64_t back = width / 2;  // brush top-left = point - back
    const std::int64_t top = std::max<std::int64_t>(std::min(y1, y2) - back, 0);
    const std::int64_t bottom = std::min(std::max(y1, y2) - back + width - 1, h - 1);
    if (top > bottom) return;
    constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();
    rowLo.assign(static_cast<std::size_t>(bottom - top + 1), kNone);
    rowHi.assign(rowLo.size(), -kNone);
    // Stamps of consecutive points on one row differ only in x, so a run of them widens each
    // brush row once, by its leftmost and rightmost stamp (a wide pen costs its width per run,
    // not per point).
    std::int64_t runY = 0, runLeft = 1, runRight = 0;
    auto stampRun = [&] {
        for (std::int64_t j = 0; j < width && runLeft <= runRight; ++j) {
            const std::int64_t row = runY - back + j;
            if (row < top || row > bottom) continue;
            const auto r = static_cast<std::size_t>(row - top);
            const auto b = static_cast<std::size_t>(j);
            rowLo[r] = std::min(rowLo[r], runLeft - back + brushLo[b]);
            rowHi[r] = std::max(rowHi[r], runRight - back + brushHi[b]);
        }
    };
    WalkLine(x1, y1, x2, y2, -width, -width, w - 1 + width, h - 1 + width,
             [&](std::int64_t x, std::int64_t y) {
                 if (runLeft <= runRight && y == runY) {
                     runLeft = std::min(runLeft, x);
                     runRight = std::max(runRight, x);
                     return;
                 }
                 stampRun();
                 runY = y;
                 runLeft = runRight = x;
             });
    stampRun();
    for (std::size_t r = 0; r < rowLo.size(); ++r)
        if (rowLo[r] != kNone)
            FillRowOf(canvas, top + static_cast<std::int64_t>(r), rowLo[r], rowHi[r], colour);
}

}  // namespace

void FillRow(Canvas& canvas, std::int64_t y, std::int64_t x0, std::int64_t x1, Colour colour) {
    FillRowOf(canvas, y, x0, x1, colour);
}

void FillRow(IndexedPicture& picture, std::int64_t y, std::int64_t x0, std::int64_t x1,
             IndexedPicture::Pixel index) {
    FillRowOf(picture, y, x0, x1, index);
}

void StrokeLine(Canvas& canvas, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                Colour colour, std::int64_t width) {
    StrokeLineOf(canvas, x1, y1, x2, y2, colour, width);
}

void StrokeLine(IndexedPicture& picture, std::int64_t x1, std::int64_t y1, std::int64_t x2,
                std::int64_t y2, IndexedPicture::Pixel index, std::int64_t width) {
    StrokeLineOf(picture, x1, y1, x2, y2, index, width);
}

void PaintConvex(Canvas& canvas, std::int64_t top, std::int64_t bottom,
                 const std::function<Span(std::int64_t)>& rowSpan, Colour fill, Colour pen,
                 std::int64_t penWidth) {
    const std::int64_t h = canvas.GetHeight();
    if (canvas.GetWidth() == 0 || h == 0 || top > bottom) return;
    const std::int64_t pw = std::max<std::int64_t>(penWidth, 1);
    // Rows that can influence a visible row: the visible ones plus the pen width around them.
    const std::int64_t first = std::max(top, -pw);
    const std::int64_t last = std::min(bottom, h - 1 + pw);
    if (first > last) return;
    std::vector<Span> spans(static_cast<std::size_t>(last - first + 1));
    for (std::int64_t y = first; y <= last; ++y)
        spans[static_cast<std::size_t>(y - first)] = rowSpan(y);
    auto spanAt = [&](std::int64_t y) {
        return (y < first || y > last) ? Span{} : spans[static_cast<std::size_t>(y - first)];
    };

    // Inset of the disc of radius pw at vertical offset k: the interior is the shape eroded
    // by that disc, whatever remains is the pen band.
    std::vector<std::int64_t> inset(static_cast<std::size_t>(pw + 1));
    for (std::int64_t k = 0; k <= pw; ++k) {
        inset[static_cast<std::size_t>(k)] = ISqrt(pw * pw - k * k);
    }

    for (std::int64_t y = std::max<std::int64_t>(first, 0); y <= std::min(last, h - 1); ++y) {
        const Span outer = spanAt(y);
        if (outer.left > outer.right) continue;
        std::int64_t inLeft = outer.left + pw;
        std::int64_t inRight = outer.right - pw;
        for (std::int64_t k = 1; k <= pw && inLeft <= inRight; ++k) {
            const std::int64_t s = inset[static_cast<std::size_t>(k)];
            for (const std::int64_t row : {y - k, y + k}) {
                const Span other = spanAt(row);
                if (other.left > other.right) {
                    inLeft = 1;
                    inRight = 0;
                    break;
                }
                inLeft = std::max(inLeft, other.left + s);
                inRight = std::min(inRight, other.right - s);
            }
        }
        if (inLeft > inRight) {
            FillRow(canvas, y, outer.left, outer.right, pen);
        } else {
            FillRow(canvas, y, outer.left, inLeft - 1, pen);
            FillRow(canvas, y, inLeft, inRight, fill);
            FillRow(canvas, y, inRight + 1, outer.right, pen);
        }
    }
}

}  // namespace orvane::raster

// Strokes: straight lines and polylines of round-brush stamps.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <span>
#include <vector>

#include "raster/Raster.h"

namespace orvane::raster {
namespace {

// Sets n pixels from p on: maps' strokes fill many spans of a few pixels, for which a
// general fill loop spends more on its set-up than on the pixels.
template <class Value>
inline void FillShort(Value* p, std::int64_t n, Value c) {
    if (n >= 4) {
        const Value four[4] = {c, c, c, c};
        Value* const last = p + n - 4;
        for (; p < last; p += 4) std::memcpy(p, four, sizeof four);
        std::memcpy(last, four, sizeof four);
    } else if (n >= 2) {
        const Value two[2] = {c, c};
        std::memcpy(p, two, sizeof two);
        std::memcpy(p + n - 2, two, sizeof two);
    } else if (n == 1) {
        *p = c;
    }
}

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

// Brush of diameter `width` as row spans relative to its top-left corner; a pixel belongs to
// it when its centre lies within width / 2 of the brush centre.
struct Brush {
    std::int64_t width = 0;
    std::vector<std::int64_t> lo, hi;
};

// The brush of diameter `width`. Outlines are polylines of many short segments with one pen:
// the last brush made is kept (per thread) instead of made for every segment.
const Brush& BrushOf(std::int64_t width) {
    thread_local Brush brush;
    if (brush.width == width) return brush;
    brush = {width, std::vector<std::int64_t>(static_cast<std::size_t>(width)),
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

// A line's Bresenham steps as WalkLine takes them from its first point: offset 0, remainder n.
struct LineSteps {
    LineSteps(std::int64_t dx, std::int64_t dy)
        : xMajor((dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy)),
          n(xMajor ? (dx < 0 ? -dx : dx) : (dy < 0 ? -dy : dy)),
          aMinor(xMajor ? (dy < 0 ? -dy : dy) : (dx < 0 ? -dx : dx)),
          den(2 * (n == 0 ? 1 : n)),
          sx(dx < 0 ? -1 : 1),
          sy(dy < 0 ? -1 : 1) {}
    bool xMajor;
    std::int64_t n, aMinor, den, sx, sy;
};

// Consecutive points of a line in one row: stamping them together widens each brush row once.
struct Run {
    std::int64_t y, left, right;
};

// Walks the points of the line from (x, y) to (x2, y2) after the first, which `run` holds
// already, extending `run` and handing each completed one to `stamp`. Always inlined: else the
// stamp's captures live in memory and every pixel store reloads them (twice the time).
template <class Stamp>
[[gnu::always_inline]] inline void WalkRuns(std::int64_t x, std::int64_t y, std::int64_t x2,
                                            std::int64_t y2, Run& run, Stamp&& stamp) {
    const LineSteps s(x2 - x, y2 - y);
    // Kept in locals: the stamps' pixel stores could otherwise alias them.
    std::int64_t runY = run.y, left = run.left, right = run.right;
    std::int64_t rem = s.n;
    for (std::int64_t i = 1; i <= s.n; ++i) {
        if (s.xMajor)
            x += s.sx;
        else
            y += s.sy;
        rem += 2 * s.aMinor;
        if (rem >= s.den) {
            rem -= s.den;
            if (s.xMajor)
                y += s.sy;
            else
                x += s.sx;
        }
        if (y == runY) {
            left = std::min(left, x);
            right = std::max(right, x);
        } else {
            stamp(Run{runY, left, right});
            runY = y;
            left = right = x;
        }
    }
    run = {runY, left, right};
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

    Value* const pixels = canvas.Pixels().data();
    if (width <= 1) {
        const LineSteps s(x2 - x1, y2 - y1);
        const std::int64_t majorStep = s.xMajor ? s.sx : s.sy * w;
        const std::int64_t minorStep = s.xMajor ? s.sy * w : s.sx;
        std::int64_t at = y1 * w + x1;
        std::int64_t rem = s.n;
        for (std::int64_t i = 0;; ++i) {
            pixels[at] = colour;
            if (i == s.n) break;
            at += majorStep;
            rem += 2 * s.aMinor;
            if (rem >= s.den) {
                rem -= s.den;
                at += minorStep;
            }
        }
        return true;
    }

    const Brush& brush = BrushOf(width);
    const std::int64_t* const brushLo = brush.lo.data();
    const std::int64_t* const brushHi = brush.hi.data();
    const std::int64_t rows = bottom - top + 1;
    std::int64_t rowLo[kMaxRows], rowHi[kMaxRows];
    for (std::int64_t r = 0; r < rows; ++r) {
        rowLo[r] = std::numeric_limits<std::int64_t>::max();
        rowHi[r] = std::numeric_limits<std::int64_t>::min();
    }
    auto stampRun = [&](Run run) {
        std::int64_t* lo = rowLo + (run.y - back - top);
        std::int64_t* hi = rowHi + (run.y - back - top);
        for (std::int64_t j = 0; j < width; ++j) {
            lo[j] = std::min(lo[j], run.left - back + brushLo[j]);
            hi[j] = std::max(hi[j], run.right - back + brushHi[j]);
        }
    };
    Run run{y1, x1, x1};
    WalkRuns(x1, y1, x2, y2, run, stampRun);
    stampRun(run);
    for (std::int64_t r = 0; r < rows; ++r) {
        Value* row = pixels + (top + r) * w;
        FillShort(row + rowLo[r], rowHi[r] - rowLo[r] + 1, colour);
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

    // The row buffers are kept between calls (per thread) instead of made for every segment.
    const Brush& brush = BrushOf(width);
    thread_local std::vector<std::int64_t> rowLo, rowHi;
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
            FillRow(canvas, top + static_cast<std::int64_t>(r), rowLo[r], rowHi[r], colour);
}

// A polyline wholly inside the picture, drawn as one walk through its points. Stroking a
// segment alone gives the union of the brush stamps at its line points (a straight stroke is
// convex in every row), so the pixels are the same as stroking each segment in turn.
bool StrokePolylineInside(const ColourGrid& canvas, std::span<const std::int32_t> xs,
                          std::span<const std::int32_t> ys, bool closed, Colour colour,
                          std::int64_t width) {
    const std::int64_t back = width / 2;
    const auto [minX, maxX] = std::minmax_element(xs.begin(), xs.end());
    const auto [minY, maxY] = std::minmax_element(ys.begin(), ys.end());
    if (width <= 1 || *minX - back < 0 || *minY - back < 0 ||
        *maxX - back + width > canvas.GetWidth() || *maxY - back + width > canvas.GetHeight())
        return false;

    const Brush& brush = BrushOf(width);
    const std::int64_t* const brushLo = brush.lo.data();
    const std::int64_t* const brushHi = brush.hi.data();
    Colour* const pixels = canvas.Pixels().data();
    const std::int64_t stride = canvas.GetWidth();
    auto stamp = [&](Run run) {
        Colour* row = pixels + (run.y - back) * stride - back;
        for (std::int64_t j = 0; j < width; ++j, row += stride)
            FillShort(row + run.left + brushLo[j],
                      run.right + brushHi[j] - run.left - brushLo[j] + 1, colour);
    };
    // Each segment starts where the one before ended: that point is in the run already.
    Run run{ys[0], xs[0], xs[0]};
    for (std::size_t i = 1; i < xs.size(); ++i)
        WalkRuns(xs[i - 1], ys[i - 1], xs[i], ys[i], run, stamp);
    if (closed && xs.size() > 1) WalkRuns(xs.back(), ys.back(), xs[0], ys[0], run, stamp);
    stamp(run);
    return true;
}

}  // namespace

void StrokeLine(const ColourGrid& canvas, std::int64_t x1, std::int64_t y1, std::int64_t x2,
                std::int64_t y2, Colour colour, std::int64_t width) {
    StrokeLineOf(canvas, x1, y1, x2, y2, colour, width);
}

void StrokeLine(const IndexGrid& picture, std::int64_t x1, std::int64_t y1, std::int64_t x2,
                std::int64_t y2, std::uint8_t index, std::int64_t width) {
    StrokeLineOf(picture, x1, y1, x2, y2, index, width);
}

void StrokePolyline(const ColourGrid& canvas, std::span<const std::int32_t> xs,
                    std::span<const std::int32_t> ys, bool closed, Colour colour,
                    std::int64_t width) {
    const std::size_t n = std::min(xs.size(), ys.size());
    if (n == 0 || canvas.GetWidth() == 0 || canvas.GetHeight() == 0) return;
    xs = xs.first(n);
    ys = ys.first(n);
    if (StrokePolylineInside(canvas, xs, ys, closed, colour, width)) return;
    if (n == 1) StrokeLineOf(canvas, xs[0], ys[0], xs[0], ys[0], colour, width);
    for (std::size_t i = 1; i < n; ++i)
        StrokeLineOf(canvas, xs[i - 1], ys[i - 1], xs[i], ys[i], colour, width);
    if (closed && n > 1) StrokeLineOf(canvas, xs[n - 1], ys[n - 1], xs[0], ys[0], colour, width);
}

}  // namespace orvane::raster

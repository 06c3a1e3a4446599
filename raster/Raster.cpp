#include "raster/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "core/RunError.h"

namespace orvane::raster {

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

}  // namespace

void FillRow(const ColourGrid& canvas, std::int64_t y, std::int64_t x0, std::int64_t x1,
             Colour colour) {
    FillRowOf(canvas, y, x0, x1, colour);
}

void FillRow(const IndexGrid& picture, std::int64_t y, std::int64_t x0, std::int64_t x1,
             std::uint8_t index) {
    FillRowOf(picture, y, x0, x1, index);
}

void PaintConvex(const ColourGrid& canvas, std::int64_t top, std::int64_t bottom,
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
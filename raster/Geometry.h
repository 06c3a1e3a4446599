#pragma once
// Whole-picture geometry on a row-major pixel buffer of any pixel type: the full-colour canvas
// and the palette-index picture share it, so both give the same pixels for the same picture.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/Rect.h"
#include "core/RunError.h"
#include "pixels/ByteRuns.h"
#include "raster/Anchor.h"
#include "raster/Raster.h"

namespace orvane::geometry {

// Keeps every pixel value as it is.
struct SameValue {
    template <class T>
    T operator()(T value) const {
        return value;
    }
};

// The source row (or column) under the centre of target row `i` when `from` rows are scaled
// to `to`.
inline std::int64_t ScaledSource(std::int64_t i, std::int32_t from, std::int32_t to) {
    return (2 * i + 1) * from / (2 * std::int64_t{to});
}

// Where a picture `room` pixels smaller than its new side starts along it, for an anchor part
// (0 start, 1 centre, 2 end); a larger picture is cut the same way.
inline std::int64_t PlaceOffset(std::int64_t room, int part) {
    if (part == 0) return 0;
    if (part == 2) return room;
    return room >= 0 ? room / 2 : -((-room + 1) / 2);
}

// For an enlargement from `from` to `to` columns (to >= from, so every source column lies under
// at least one target column, in order): the first target column of each source column, and
// `to` one past the last.
inline std::vector<std::size_t> FirstTargets(std::int32_t from, std::int32_t to) {
    std::vector<std::size_t> first(static_cast<std::size_t>(from) + 1,
                                   static_cast<std::size_t>(to));
    for (std::int64_t x = std::int64_t{to} - 1; x >= 0; --x)
        first[static_cast<std::size_t>(ScaledSource(x, from, to))] = static_cast<std::size_t>(x);
    return first;
}

// Where the run of `value` that ends with src[end - 1] starts.
template <class T>
std::size_t RunStart(const T* src, std::size_t end, T value) {
    if constexpr (std::is_same_v<T, std::uint8_t>) {
        return SameSince(src, end, value);
    } else {
        std::size_t start = end - 1;
        while (start > 0 && src[start - 1] == value) --start;
        return start;
    }
}

// One enlarged row: each run of one value in the `width` values of `src` fills one span of
// `dst`, passed through `map` (maps are mostly long runs). Runs go from the right, and a span
// starts at or after its run's source, so `dst` may overlay `src` from the same start.
template <class T, class Map>
void EnlargeRow(const T* src, std::size_t width, const std::vector<std::size_t>& firstTarget,
                T* dst, Map map) {
    for (std::size_t end = width; end > 0;) {
        const T value = src[end - 1];
        const std::size_t start = RunStart(src, end, value);
        std::fill(dst + firstTarget[start], dst + firstTarget[end], map(value));
        end = start;
    }
}

// Nearest-neighbour scaling: each target pixel takes the source pixel under its centre, passed
// through `map` (which may renumber palette indices on the way). Both sizes must be non-empty.
template <class Pixels, class Map = SameValue>
void Scale(Pixels& pixels, std::int32_t& width, std::int32_t& height, std::int32_t newWidth,
           std::int32_t newHeight, Map map = {}) {
    using T = typename Pixels::value_type;
    const auto w = static_cast<std::size_t>(newWidth);
    const std::size_t count = w * static_cast<std::size_t>(newHeight);
    auto sourceRow = [&](std::int64_t y) { return ScaledSource(y, height, newHeight); };
    if (newWidth >= width && newHeight >= height) {
        // Enlarging in place: every pixel's source lies at or before it in memory (its source
        // row and column are at most its own, in a narrower picture), so writing from the
        // last pixel back never overwrites a source still to be read. No second picture.
        if (pixels.capacity() < count) {
            Pixels grown;
            grown.reserve(count);
            grown.insert(grown.end(), pixels.begin(), pixels.end());
            pixels.swap(grown);
        }
        pixels.resize(count);
        const auto sw = static_cast<std::size_t>(width);
        const std::vector<std::size_t> firstTarget = FirstTargets(width, newWidth);
        T* data = pixels.data();
        std::int64_t below = -1;  // source row of the row below
        for (std::int64_t y = newHeight - 1; y >= 0; --y) {
            T* dst = data + static_cast<std::size_t>(y) * w;
            const std::int64_t from = sourceRow(y);
            if (from == below) {
                std::copy(dst + w, dst + 2 * w, dst);
                continue;
            }
            EnlargeRow(data + static_cast<std::size_t>(from) * sw, sw, firstTarget, dst, map);
            below = from;
        }
        width = newWidth;
        height = newHeight;
        return;
    }
    // Shrinking: rows are appended rather than written into a zeroed buffer.
    std::vector<std::int32_t> fromColumn(w);
    for (std::int64_t x = 0; x < newWidth; ++x)
        fromColumn[static_cast<std::size_t>(x)] =
            static_cast<std::int32_t>(ScaledSource(x, width, newWidth));
    Pixels scaled;
    scaled.reserve(count);
    std::vector<T> row(w);
    std::int64_t previous = -1;
    for (std::int64_t y = 0; y < newHeight; ++y) {
        const std::int64_t from = sourceRow(y);
        if (from != previous) {
            const T* src =
                pixels.data() + static_cast<std::size_t>(from) * static_cast<std::size_t>(width);
            for (std::size_t x = 0; x < w; ++x) row[x] = map(src[fromColumn[x]]);
            previous = from;
        }
        scaled.insert(scaled.end(), row.begin(), row.end());
    }
    width = newWidth;
    height = newHeight;
    pixels = std::move(scaled);
}

// New size without scaling, the old picture kept at `anchor`; the new area takes `fill`.
template <class Pixels, class T>
void Place(Pixels& pixels, std::int32_t& width, std::int32_t& height, std::int32_t newWidth,
           std::int32_t newHeight, Anchor anchor, T fill) {
    const int position = static_cast<int>(anchor);
    if (position > static_cast<int>(Anchor::BottomRight))
        throw RunError("ResizeCanvas: anchor " + std::to_string(position) + " is not 0..8");
    raster::CheckSize(newWidth, newHeight);
    Pixels resized(static_cast<std::size_t>(newWidth) * static_cast<std::size_t>(newHeight), fill);
    // Anchor columns and rows: 0 start, 1 centre, 2 end.
    const std::int64_t dx = PlaceOffset(std::int64_t{newWidth} - width, position % 3);
    const std::int64_t dy = PlaceOffset(std::int64_t{newHeight} - height, position / 3);
    const std::int64_t x0 = std::max<std::int64_t>(0, dx);
    const std::int64_t x1 = std::min<std::int64_t>(newWidth, dx + width);
    for (std::int64_t y = std::max<std::int64_t>(0, dy);
         y < std::min<std::int64_t>(newHeight, dy + height) && x0 < x1; ++y) {
        const T* src = pixels.data() + (y - dy) * width + (x0 - dx);
        std::copy(src, src + (x1 - x0), resized.begin() + y * newWidth + x0);
    }
    width = newWidth;
    height = newHeight;
    pixels = std::move(resized);
}

// True when the 32 bytes at p are all 0.
inline bool Empty32(const void* p) {
    std::uint64_t w[4];
    std::memcpy(w, p, sizeof w);
    return (w[0] | w[1] | w[2] | w[3]) == 0;
}

// Index of the first pixel of row[0..n) that is not 0, or n. Pixels are tested 32 bytes at a
// time: most of a map's rows begin and end in long stretches of empty sky.
template <class T>
std::int32_t FirstNotEmpty(const T* row, std::int32_t n) {
    constexpr std::int32_t kBlock = 32 / sizeof(T);
    std::int32_t i = 0;
    while (i + kBlock <= n && Empty32(row + i)) i += kBlock;
    while (i < n && row[i] == 0) ++i;
    return i;
}

// Index of the last pixel of row[0..n) that is not 0; the row must hold one.
template <class T>
std::int32_t LastNotEmpty(const T* row, std::int32_t n) {
    constexpr std::int32_t kBlock = 32 / sizeof(T);
    std::int32_t i = n;
    while (i >= kBlock && Empty32(row + i - kBlock)) i -= kBlock;
    while (row[i - 1] == 0) --i;
    return i - 1;
}

// The smallest rectangle holding every pixel that is not 0 (empty space); an all-empty picture
// gives its top-left pixel, so a crop to it still leaves a valid picture.
template <class Pixels>
Rect ContentBox(const Pixels& pixels, std::int32_t width, std::int32_t height) {
    if (width == 0 || height == 0) return Rect{0, 0, width, height};
    std::int32_t left = width, right = -1;
    const auto rowAt = [&](std::int32_t y) { return pixels.data() + std::int64_t{y} * width; };
    // Whether row y holds anything, widening the columns found to it.
    const auto take = [&](std::int32_t y) {
        const std::int32_t first = FirstNotEmpty(rowAt(y), width);
        if (first == width) return false;
        left = std::min(left, first);
        right = std::max(right, LastNotEmpty(rowAt(y), width));
        return true;
    };
    std::int32_t top = 0;
    while (top < height && !take(top)) ++top;
    if (top == height) return Rect{0, 0, 1, 1};
    std::int32_t bottom = height - 1;
    while (bottom > top && !take(bottom)) --bottom;
    // Rows between can only widen the box: only the columns outside it are read.
    for (std::int32_t y = top + 1; y < bottom; ++y) {
        const auto* row = rowAt(y);
        if (left > 0) left = std::min(left, FirstNotEmpty(row, left));
        const std::int32_t past = right + 1;
        if (past < width && FirstNotEmpty(row + past, width - past) < width - past)
            right = past + LastNotEmpty(row + past, width - past);
    }
    return Rect{left, top, right + 1, bottom + 1};
}

// Keeps only `box` (inside the picture). The kept rows are moved down in place: row y of the
// crop lands at or before where it came from, so a forward move is safe and no second picture
// is allocated.
template <class Pixels>
void CropTo(Pixels& pixels, std::int32_t& width, std::int32_t& height, const Rect& box) {
    const std::int32_t w = box.Right - box.Left;
    const std::int32_t h = box.Bottom - box.Top;
    if (w == width && h == height) return;
    for (std::int64_t y = 0; y < h; ++y) {
        const auto* src = pixels.data() + (box.Top + y) * width + box.Left;
        std::copy(src, src + w, pixels.begin() + y * w);
    }
    pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    width = w;
    height = h;
}

// Crops away the outer rows and columns that are entirely 0 (empty space).
template <class Pixels>
void CropEmpty(Pixels& pixels, std::int32_t& width, std::int32_t& height) {
    if (width == 0 || height == 0) return;
    CropTo(pixels, width, height, ContentBox(pixels, width, height));
}

}  // namespace orvane::geometry

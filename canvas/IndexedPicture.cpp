#include "canvas/IndexedPicture.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>

#include "canvas/ColourMap.h"
#include "canvas/Geometry.h"
#include "canvas/Raster.h"
#include "core/Bands.h"
#include "core/RunError.h"

namespace orvane {
namespace {

// Whether `box` (possibly of no size) lies within a width x height picture.
bool Inside(const Rect& box, std::int32_t width, std::int32_t height) {
    return box.Left >= 0 && box.Top >= 0 && box.Right <= width && box.Bottom <= height &&
           box.Left <= box.Right && box.Top <= box.Bottom;
}

RunError TooManyColours() {
    return RunError("PNG export failed: more than 256 colours in a palette picture");
}

// Rows [first, last) of the canvas's `box` as indices, written to `pixels` (the crop's rows),
// into a palette of their own: black first as 0, then the colours as they appear, each land
// colour first mapped through `colours` when given.
std::vector<Colour> IndexRows(const Canvas& canvas, const Rect& box, const ColourMap* colours,
                              std::size_t first, std::size_t last, std::uint8_t* pixels) {
    std::vector<Colour> palette{0};
    constexpr std::uint32_t kFresh = 0xFFFFFFFFu;
    ColourMap index(512);  // canvas colour -> palette index
    index.At(0) = 0;
    ColourMap mappedIndex(128);  // mapped colour -> palette index, when colours are mapped
    const auto newColour = [&](Colour c) {
        if (colours) {
            const std::uint32_t* to = colours->Find(c);
            if (!to) throw RunError("PNG export failed: a colour is missing from its mapping");
            std::uint32_t& slot = mappedIndex.At(*to, kFresh);
            if (slot != kFresh) return slot;
            c = *to;
            slot = static_cast<std::uint32_t>(palette.size());
        }
        if (palette.size() == 256) throw TooManyColours();
        palette.push_back(c);
        return static_cast<std::uint32_t>(palette.size() - 1);
    };
    // Run by run: maps are mostly long runs of one colour. Raw pointers, since byte stores
    // could otherwise alias the vectors' own pointers and force reloads on every pixel.
    const auto canvasWidth = static_cast<std::size_t>(canvas.GetWidth());
    const auto w = static_cast<std::size_t>(box.Right - box.Left);
    for (std::size_t y = first; y < last; ++y) {
        const Colour* src = canvas.Pixels().data() +
                            (static_cast<std::size_t>(box.Top) + y) * canvasWidth +
                            static_cast<std::size_t>(box.Left);
        std::uint8_t* dst = pixels + y * w;
        for (std::size_t i = 0; i < w;) {
            const Colour c = src[i];
            std::size_t end = i + 1;
            while (end < w && src[end] == c) ++end;
            std::uint32_t& slot = index.At(c, kFresh);
            if (slot == kFresh) slot = newColour(c);
            std::fill(dst + i, dst + end, static_cast<std::uint8_t>(slot));
            i = end;
        }
    }
    return palette;
}

}  // namespace

IndexedPicture IndexedPicture::FromCanvas(const Canvas& canvas, std::size_t room, bool sorted,
                                          const ColourMap* colours) {
    return FromCanvas(canvas, Rect{0, 0, canvas.GetWidth(), canvas.GetHeight()}, room, sorted,
                      colours);
}

IndexedPicture IndexedPicture::FromCanvas(const Canvas& canvas, const Rect& box, std::size_t room,
                                          bool sorted, const ColourMap* colours,
                                          std::size_t bands) {
    if (!Inside(box, canvas.GetWidth(), canvas.GetHeight()))
        throw RunError("Crop: the box is not inside the picture");
    IndexedPicture out;
    out.width_ = box.Right - box.Left;
    out.height_ = box.Bottom - box.Top;
    const auto w = static_cast<std::size_t>(out.width_);
    const auto h = static_cast<std::size_t>(out.height_);
    out.pixels_.reserve(std::max(w * h, room));
    out.pixels_.resize(w * h);
    // Each band of rows numbers its colours as they first appear in it; the bands' palettes are
    // then joined in band order, and every later band renumbered to the joined one.
    struct Band {
        std::size_t first = 0, last = 0;
        std::vector<Colour> palette;
    };
    std::vector<Band> parts(std::clamp<std::size_t>(bands, 1, std::max<std::size_t>(h, 1)));
    InBands(h, parts.size(), [&](std::size_t b, std::size_t first, std::size_t last) {
        parts[b] = {first, last, IndexRows(canvas, box, colours, first, last, out.pixels_.data())};
    });
    out.palette_ = std::move(parts[0].palette);
    ColourMap joined(2 * out.palette_.size());
    for (std::size_t i = 0; i < out.palette_.size(); ++i)
        joined.At(out.palette_[i]) = static_cast<std::uint32_t>(i);
    for (std::size_t b = 1; b < parts.size(); ++b) {
        std::array<Pixel, 256> renumber{};
        bool same = true;
        for (std::size_t i = 0; i < parts[b].palette.size(); ++i) {
            const Colour c = parts[b].palette[i];
            std::uint32_t& slot = joined.At(c, static_cast<std::uint32_t>(out.palette_.size()));
            if (slot == out.palette_.size()) {
                if (out.palette_.size() == 256) throw TooManyColours();
                out.palette_.push_back(c);
            }
            renumber[i] = static_cast<Pixel>(slot);
            same = same && slot == i;
        }
        if (!same)
            for (Pixel* p = out.pixels_.data() + parts[b].first * w;
                 p != out.pixels_.data() + parts[b].last * w; ++p)
                *p = renumber[*p];
    }
    if (sorted) out.SortPalette();
    return out;
}

std::optional<std::array<IndexedPicture::Pixel, 256>> IndexedPicture::OrderPalette() {
    // Black is the smallest colour and entry 0 already, so it stays first.
    std::array<std::uint8_t, 256> order{};
    const auto end = order.begin() + static_cast<std::ptrdiff_t>(palette_.size());
    std::iota(order.begin(), end, 0);
    std::sort(order.begin(), end,
              [&](std::uint8_t a, std::uint8_t b) { return palette_[a] < palette_[b]; });
    std::array<Pixel, 256> renumber{};
    std::vector<Colour> sorted(palette_.size());
    bool same = true;
    for (std::size_t k = 0; k < palette_.size(); ++k) {
        renumber[order[k]] = static_cast<Pixel>(k);
        sorted[k] = palette_[order[k]];
        same = same && order[k] == k;
    }
    if (same) return std::nullopt;
    palette_ = std::move(sorted);
    return renumber;
}

void IndexedPicture::SortPalette() {
    if (const auto renumber = OrderPalette())
        for (Pixel& p : pixels_) p = (*renumber)[p];
}

Colour IndexedPicture::GetColour(std::int32_t x, std::int32_t y) const {
    if (static_cast<std::uint32_t>(x) >= static_cast<std::uint32_t>(width_) ||
        static_cast<std::uint32_t>(y) >= static_cast<std::uint32_t>(height_))
        return 0;
    return palette_[pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                            static_cast<std::size_t>(x)]];
}

void IndexedPicture::ResizeImage(std::int32_t width, std::int32_t height, bool sortPalette,
                                 std::size_t bands) {
    raster::CheckSize(width, height);
    if (width_ == 0 || height_ == 0 || width == 0 || height == 0) {
        pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
        width_ = width;
        height_ = height;
        if (sortPalette) OrderPalette();
        return;
    }
    const auto renumber = sortPalette ? OrderPalette() : std::nullopt;
    if (renumber)
        geometry::Scale(
            pixels_, width_, height_, width, height, [&](Pixel p) { return (*renumber)[p]; },
            bands);
    else
        geometry::Scale(pixels_, width_, height_, width, height, geometry::SameValue{}, bands);
}

void IndexedPicture::ResizeCanvas(std::int32_t width, std::int32_t height, Anchor anchor) {
    geometry::Place(pixels_, width_, height_, width, height, anchor, Pixel{0});
}

void IndexedPicture::CropEmpty() {
    geometry::CropEmpty(pixels_, width_, height_);
}

Rect IndexedPicture::ContentBox() const {
    return geometry::ContentBox(pixels_, width_, height_);
}

void IndexedPicture::Crop(const Rect& box) {
    if (!Inside(box, width_, height_) || box.Empty())
        throw RunError("Crop: the box is not inside the picture");
    geometry::CropTo(pixels_, width_, height_, box);
}

void IndexedPicture::SetPenColour(Colour c) {
    if (c != 0) throw RunError("An indexed picture is only cut with empty space");
}

void IndexedPicture::DrawPoint(std::int32_t x, std::int32_t y) {
    const std::int64_t size = raster::BrushSize(penWidth_);
    for (std::int64_t row = y; row < std::int64_t{y} + size; ++row)
        raster::FillRow(*this, row, x, std::int64_t{x} + size - 1, Pixel{0});
}

void IndexedPicture::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    raster::StrokeLine(*this, x1, y1, x2, y2, Pixel{0}, raster::BrushSize(penWidth_));
}

}  // namespace orvane

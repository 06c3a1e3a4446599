// IndexedPicture::FromColours: a full-colour picture turned into palette indices.
//
// Its split in two halves, measured 2026-12 on a 2-core VM shared with builds (7-11 alternated
// pairs): nothing measurable (64 seeded maps 3.64 s → 3.43 s wall, 1.96 s → 1.89 s CPU off).
// Off: `const bool split = threads >= 2 && count >= kTwoThreadsFrom<Colour>;` → `= false;`.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "core/RunError.h"
#include "palette/ColourMap.h"
#include "palette/IndexedPicture.h"
#include "pixels/AtOnce.h"
#include "pixels/ByteRuns.h"

namespace orvane {
namespace {

using Pixel = IndexedPicture::Pixel;
using Seen = std::array<bool, 256>;

constexpr const char* kMissing =
    "Indexing the picture failed: a colour is missing from its mapping";
constexpr const char* kTooManyColours =
    "Indexing the picture failed: more than 256 colours in a palette picture";

// Writes indexOf(colour) for the pixels of canvas rows [top, bottom) inside `box` to `out`, row
// by row of the box's width. Run by run: maps are mostly long runs of one colour. Raw
// pointers, since byte stores could otherwise alias the vectors' own pointers and force
// reloads on every pixel.
template <class IndexOf>
void IndexRows(const ColourView& canvas, const Rect& box, std::int32_t top, std::int32_t bottom,
               Pixel* out, IndexOf&& indexOf) {
    const auto canvasWidth = static_cast<std::size_t>(canvas.GetWidth());
    const auto w = static_cast<std::size_t>(box.Right - box.Left);
    for (std::int32_t y = top; y < bottom; ++y) {
        const Colour* src = canvas.Pixels().data() + static_cast<std::size_t>(y) * canvasWidth +
                            static_cast<std::size_t>(box.Left);
        Pixel* dst = out + static_cast<std::size_t>(y - top) * w;
        for (std::size_t i = 0; i < w;) {
            const Colour c = src[i];
            const std::size_t end = SameUntil(src, i + 1, w, c);
            std::fill(dst + i, dst + end, static_cast<Pixel>(indexOf(c)));
            i = end;
        }
    }
}

// Calls index(half, top, bottom, out) for the box's rows: all of them as half 0, or, with
// `split`, the upper ones as half 0 and the lower ones as half 1 on a second thread at once.
template <class Index>
void ByHalves(const Rect& box, Pixel* out, bool split, Index&& index) {
    if (!split) {
        index(0, box.Top, box.Bottom, out);
        return;
    }
    const std::int32_t mid = box.Top + (box.Bottom - box.Top) / 2;
    Pixel* const lower = out + static_cast<std::size_t>(mid - box.Top) *
                                   static_cast<std::size_t>(box.Right - box.Left);
    AtOnce([&] { index(0, box.Top, mid, out); }, [&] { index(1, mid, box.Bottom, lower); });
}

// The index of a canvas colour, numbering colours in the order they are met into `palette`
// (which starts with black, as 0); with `colours`, by the colour each one is mapped to.
class NumberAsMet {
  public:
    NumberAsMet(const ColourMap* colours, std::vector<Colour>& palette)
        : colours_(colours), palette_(palette) {
        index_.At(0) = 0;
    }

    std::uint32_t operator()(Colour c) {
        std::uint32_t& slot = index_.At(c, kFresh);
        if (slot == kFresh) slot = New(c);
        return slot;
    }

  private:
    static constexpr std::uint32_t kFresh = 0xFFFFFFFFu;

    std::uint32_t New(Colour c) {
        if (colours_) {
            const std::uint32_t* to = colours_->Find(c);
            if (!to) throw RunError(kMissing);
            std::uint32_t& slot = mappedIndex_.At(*to, kFresh);
            if (slot != kFresh) return slot;
            c = *to;
            slot = static_cast<std::uint32_t>(palette_.size());
        }
        if (palette_.size() == 256) throw RunError(kTooManyColours);
        palette_.push_back(c);
        return static_cast<std::uint32_t>(palette_.size() - 1);
    }

    const ColourMap* colours_;
    std::vector<Colour>& palette_;
    ColourMap index_{512};        // canvas colour -> palette index
    ColourMap mappedIndex_{128};  // mapped colour -> palette index
};

// Pixels take new numbers: renumber[i] for i.
void Renumber(std::span<Pixel> pixels, const std::array<Pixel, 256>& renumber) {
    std::transform(pixels.begin(), pixels.end(), pixels.begin(),
                   [&](Pixel p) { return renumber[p]; });
}

}  // namespace

IndexedPicture IndexedPicture::FromColours(const ColourView& canvas, std::size_t room, bool sorted,
                                           const ColourMap* colours) {
    return FromColours(canvas, Rect{0, 0, canvas.GetWidth(), canvas.GetHeight()}, room, sorted,
                       colours, 1);
}

IndexedPicture IndexedPicture::FromColours(const ColourView& canvas, const Rect& box,
                                           std::size_t room, bool sorted, const ColourMap* colours,
                                           unsigned threads) {
    if (!InsidePicture(box, canvas.GetWidth(), canvas.GetHeight()))
        throw RunError("Crop: the box is not inside the picture");
    IndexedPicture out;
    out.width_ = box.Right - box.Left;
    out.height_ = box.Bottom - box.Top;
    const std::size_t count =
        static_cast<std::size_t>(out.width_) * static_cast<std::size_t>(out.height_);
    out.pixels_.reserve(std::max(count, room));
    out.pixels_.resize(count);
    const bool split = threads >= 2 && count >= kTwoThreadsFrom<Colour>;
    if (!colours || !out.IndexMapped(canvas, box, *colours, split))
        out.IndexAsMet(canvas, box, colours, split);
    out.paletteAllUsed_ = true;  // each colour was taken from a pixel
    if (sorted) out.SortPalette();
    return out;
}

bool IndexedPicture::IndexMapped(const ColourView& canvas, const Rect& box,
                                 const ColourMap& colours, bool split) {
    // Black, then the colours mapped to in ascending order: the palette SortPalette would make
    // if every one of them is met, so both halves can write final indices.
    palette_ = {0};
    colours.ForEach([&](Colour, std::uint32_t to) { palette_.push_back(to); });
    std::sort(palette_.begin() + 1, palette_.end());
    palette_.erase(std::unique(palette_.begin(), palette_.end()), palette_.end());
    if (palette_.size() > 256) return false;  // too many unless some are not met
    ColourMap index(colours.Size() + 1);      // canvas colour -> final index
    index.At(0) = 0;
    colours.ForEach([&](Colour c, std::uint32_t to) {
        index.At(c) = static_cast<std::uint32_t>(
            std::lower_bound(palette_.begin() + 1, palette_.end(), to) - palette_.begin());
    });
    std::array<Seen, 2> seen{};
    ByHalves(box, pixels_.data(), split,
             [&](int half, std::int32_t top, std::int32_t bottom, Pixel* out) {
                 Seen& met = seen[static_cast<std::size_t>(half)];
                 IndexRows(canvas, box, top, bottom, out, [&](Colour c) {
                     const std::uint32_t* at = index.Find(c);
                     if (!at) throw RunError(kMissing);
                     met[*at] = true;
                     return *at;
                 });
             });
    // Colours of the mapping that the box does not hold leave the palette.
    std::array<Pixel, 256> renumber{};
    std::size_t kept = 0;
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        if (i > 0 && !seen[0][i] && !seen[1][i]) continue;
        renumber[i] = static_cast<Pixel>(kept);
        palette_[kept++] = palette_[i];
    }
    if (kept < palette_.size()) {
        palette_.resize(kept);
        Renumber(pixels_, renumber);
    }
    return true;
}

void IndexedPicture::IndexAsMet(const ColourView& canvas, const Rect& box, const ColourMap* colours,
                                bool split) {
    // Each half numbers the colours in the order it meets them, black first as 0.
    std::array<std::vector<Colour>, 2> palettes{std::vector<Colour>{0}, std::vector<Colour>{0}};
    ByHalves(box, pixels_.data(), split,
             [&](int half, std::int32_t top, std::int32_t bottom, Pixel* out) {
                 IndexRows(canvas, box, top, bottom, out,
                           NumberAsMet(colours, palettes[static_cast<std::size_t>(half)]));
             });
    palette_ = std::move(palettes[0]);
    if (!split) return;
    // The lower half renumbered as one pass would have numbered it: the colours the upper half
    // did not meet follow its own, in the order first met.
    const std::vector<Colour>& lower = palettes[1];
    std::array<Pixel, 256> renumber{};
    bool same = true;
    for (std::size_t i = 0; i < lower.size(); ++i) {
        const auto at = static_cast<std::size_t>(
            std::find(palette_.begin(), palette_.end(), lower[i]) - palette_.begin());
        if (at == palette_.size()) {
            if (at == 256) throw RunError(kTooManyColours);
            palette_.push_back(lower[i]);
        }
        renumber[i] = static_cast<Pixel>(at);
        same = same && at == i;
    }
    const std::size_t upper =
        static_cast<std::size_t>((box.Bottom - box.Top) / 2) * static_cast<std::size_t>(width_);
    if (!same) Renumber(std::span<Pixel>(pixels_).subspan(upper), renumber);
}

}  // namespace orvane

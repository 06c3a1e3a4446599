#pragma once
// The bytes the encoder deflates, laid out as a palette PNG's image data: every row as filter
// byte 0 (none) then its indices, renumbered when asked. They are made a row at a time, so the
// whole stream never exists in memory. The encoder owns this row source, so it needs no PNG code:
// the PNG writer hands it rows held whole or made by a RowMaker.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace orvane {

// The rows of a picture that is not held whole, made one at a time as they are read.
class RowMaker {
  public:
    virtual ~RowMaker() = default;
    // Writes row y's `width` final indices to `out`; may be called from several threads.
    virtual void Make(std::size_t y, std::uint8_t* out) const = 0;
    // Rows with the same source are the same, so a row just made can be read again.
    virtual std::size_t Source(std::size_t y) const = 0;
};

// A row made by a RowMaker, kept while the next rows have the same source.
struct MadeRow {
    std::vector<std::uint8_t> bytes;
    std::size_t source = static_cast<std::size_t>(-1);
};

class FilteredRows {
  public:
    using Renumber = std::array<std::uint8_t, 256>;

    // `indices` holds `height` rows of `width`; each index i is written as (*renumber)[i] when
    // given, which must give different colours different numbers (it only closes gaps) and keep
    // 0. `colours` is the palette's size: no byte written reaches it.
    FilteredRows(std::span<const std::uint8_t> indices, std::size_t width, std::size_t height,
                 std::size_t colours, const Renumber* renumber)
        : indices_(indices),
          width_(width),
          height_(height),
          colours_(colours),
          renumber_(renumber) {}
    // Rows from `maker`, renumbered as above.
    FilteredRows(const RowMaker& maker, std::size_t width, std::size_t height, std::size_t colours,
                 const Renumber* renumber)
        : width_(width), height_(height), colours_(colours), renumber_(renumber), maker_(&maker) {}

    std::size_t Width() const { return width_; }
    std::size_t Height() const { return height_; }
    std::size_t Colours() const { return colours_; }
    std::size_t Size() const { return height_ * (width_ + 1); }
    // Row y's indices as the picture holds them (before renumbering); a made row goes to
    // `scratch`.
    const std::uint8_t* Row(std::size_t y, MadeRow& scratch) const {
        if (!maker_) return indices_.data() + y * width_;
        if (const std::size_t source = maker_->Source(y); source != scratch.source) {
            scratch.bytes.resize(width_);
            maker_->Make(y, scratch.bytes.data());
            scratch.source = source;
        }
        return scratch.bytes.data();
    }

    // Whether row y is made from the same source as the row before, so has the same bytes.
    bool RepeatsRowBefore(std::size_t y) const {
        return maker_ && y > 0 && maker_->Source(y) == maker_->Source(y - 1);
    }

    // The stream's byte at `pos`.
    std::uint8_t At(std::size_t pos) const {
        const std::size_t x = pos % (width_ + 1);
        if (x == 0) return 0;
        MadeRow scratch;
        const std::uint8_t index = Row(pos / (width_ + 1), scratch)[x - 1];
        return renumber_ ? (*renumber_)[index] : index;
    }

    // Calls take(bytes) for the stream's bytes in [from, to), a row or part of one at a time.
    template <class Take>
    void ForEach(std::size_t from, std::size_t to, Take&& take) const {
        std::vector<std::uint8_t> row(width_ + 1);
        std::size_t made = static_cast<std::size_t>(-1);  // the source of the row in `row`
        const auto renumbered = [&](std::uint8_t p) { return (*renumber_)[p]; };
        while (from < to) {
            const std::size_t y = from / (width_ + 1);
            const std::size_t rowStart = y * (width_ + 1);
            if (maker_) {
                // A row with the source of the one before is in `row` already.
                if (const std::size_t source = maker_->Source(y); source != made) {
                    maker_->Make(y, row.data() + 1);
                    if (renumber_)
                        std::transform(row.begin() + 1, row.end(), row.begin() + 1, renumbered);
                    made = source;
                }
            } else {
                const std::uint8_t* src = indices_.data() + y * width_;
                if (renumber_)
                    std::transform(src, src + width_, row.begin() + 1, renumbered);
                else
                    std::memcpy(row.data() + 1, src, width_);
            }
            const std::size_t end = std::min(to, rowStart + width_ + 1);
            take(std::span<const std::uint8_t>(row).subspan(from - rowStart, end - from));
            from = end;
        }
    }

  private:
    std::span<const std::uint8_t> indices_;
    std::size_t width_;
    std::size_t height_;
    std::size_t colours_;
    const Renumber* renumber_;
    const RowMaker* maker_ = nullptr;
};

}  // namespace orvane

#include "png/PaletteExport.h"

#include <algorithm>
#include <array>

#include "core/RunError.h"
#include "deflate/FilteredRows.h"
#include "palette/UsedColours.h"
#include "png/PngPaletteWrite.h"

namespace orvane {
namespace {

// The palette PNG of rows that `rows(renumber, colours)` gives: one palette entry per colour
// `used`, black keeping index 0; the palette must be in ascending order, since that order is
// part of a map's bytes.
template <class Rows>
std::vector<std::uint8_t> ExportUsed(std::span<const Colour> palette,
                                     const std::array<bool, 256>& used, Rows&& rows,
                                     unsigned threads) {
    if (!std::is_sorted(palette.begin(), palette.end()))
        throw RunError("PNG export failed: the palette is not in ascending order");
    std::array<Colour, 256> kept{};
    std::size_t entries = 0;
    FilteredRows::Renumber renumber{};
    for (std::size_t i = 0; i < palette.size(); ++i) {
        if (!used[i] && i != 0) continue;
        kept[entries] = palette[i];
        renumber[i] = static_cast<std::uint8_t>(entries++);
    }
    return WritePalettePng(rows(entries == palette.size() ? nullptr : &renumber, entries),
                           std::span(kept).first(entries), threads);
}

std::array<bool, 256> EveryColour() {
    std::array<bool, 256> all{};
    all.fill(true);
    return all;
}

// The enlarged rows as the rows the writer reads.
class EnlargedMaker final : public RowMaker {
  public:
    explicit EnlargedMaker(const EnlargedRows& rows) : rows_(rows) {}
    void Make(std::size_t y, std::uint8_t* out) const override { rows_.Make(y, out); }
    std::size_t Source(std::size_t y) const override { return rows_.Source(y); }

  private:
    const EnlargedRows& rows_;
};

}  // namespace

std::vector<std::uint8_t> ExportPng(const IndexedPicture& picture, unsigned threads) {
    if (picture.GetWidth() <= 0 || picture.GetHeight() <= 0)
        throw RunError("PNG export failed: the picture is empty");
    const std::span<const Colour> palette = picture.Palette();
    // Colours cut away leave the palette.
    const std::array<bool, 256> used = picture.PaletteAllUsed()
                                           ? EveryColour()
                                           : UsedColours(picture.Pixels(), palette.size(), threads);
    return ExportUsed(
        palette, used,
        [&](const FilteredRows::Renumber* renumber, std::size_t colours) {
            return FilteredRows(picture.Pixels(), static_cast<std::size_t>(picture.GetWidth()),
                                static_cast<std::size_t>(picture.GetHeight()), colours, renumber);
        },
        threads);
}

std::vector<std::uint8_t> ExportPng(const EnlargedRows& rows, unsigned threads) {
    const IndexedPicture& picture = rows.Picture();
    // Enlarging shows every pixel of the picture, and the margin is black, which stays.
    std::array<bool, 256> used = EveryColour();
    if (!picture.PaletteAllUsed()) {
        const std::array<bool, 256> found =
            UsedColours(picture.Pixels(), picture.Palette().size(), threads);
        for (std::size_t i = 0; i < picture.Palette().size(); ++i)
            used[rows.Renumber()[i]] = found[i];
    }
    const EnlargedMaker maker(rows);
    return ExportUsed(
        rows.Palette(), used,
        [&](const FilteredRows::Renumber* renumber, std::size_t colours) {
            return FilteredRows(maker, static_cast<std::size_t>(rows.GetWidth()),
                                static_cast<std::size_t>(rows.GetHeight()), colours, renumber);
        },
        threads);
}

}  // namespace orvane

#include "png/PaletteExport.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>

#include "core/RunError.h"
#include "deflate/DeflateSettings.h"
#include "deflate/FilteredRows.h"
#include "palette/UsedColours.h"
#include "png/PngPaletteWrite.h"
#include "png/Spng.h"

namespace orvane {
namespace {

constexpr const char* kAction = "PNG export";

void Check(int err, const char* step) {
    spng::Check(err, kAction, step);
}

}  // namespace

std::vector<std::uint8_t> ExportRgbPng(std::uint32_t width, std::uint32_t height,
                                       std::span<const std::uint8_t> image) {
    const spng::Context ctx = spng::NewContext(SPNG_CTX_ENCODER, kAction);
    spng_ctx* c = ctx.get();
    Check(spng_set_option(c, SPNG_ENCODE_TO_BUFFER, 1), "buffer");
    // The deflate settings of the palette writer, for the same reasons.
    Check(spng_set_option(c, SPNG_IMG_COMPRESSION_LEVEL, deflate::kLevel), "level");
    Check(spng_set_option(c, SPNG_IMG_COMPRESSION_STRATEGY, deflate::kStrategy), "strategy");
    Check(spng_set_option(c, SPNG_IMG_MEM_LEVEL, deflate::kMemLevel), "memory level");
    spng_ihdr ihdr{};
    ihdr.width = width;
    ihdr.height = height;
    ihdr.bit_depth = 8;
    ihdr.color_type = SPNG_COLOR_TYPE_TRUECOLOR;
    Check(spng_set_ihdr(c, &ihdr), "header");
    Check(spng_encode_image(c, const_cast<std::uint8_t*>(image.data()), image.size(), SPNG_FMT_PNG,
                            SPNG_ENCODE_FINALIZE),
          "encode");
    std::size_t length = 0;
    int err = 0;
    std::unique_ptr<void, decltype(&std::free)> buffer(spng_get_png_buffer(c, &length, &err),
                                                       &std::free);
    Check(err, "buffer");
    if (!buffer) throw RunError("PNG export failed: no output");
    const auto* bytes = static_cast<const std::uint8_t*>(buffer.get());
    return std::vector<std::uint8_t>(bytes, bytes + length);
}

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

// PNG export: an 8-bit palette picture for maps (our own writer), 8-bit RGB otherwise (libspng).
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>

#include "canvas/Canvas.h"
#include "canvas/EnlargedRows.h"
#include "canvas/IndexedPicture.h"
#include "canvas/PngPaletteWrite.h"
#include "canvas/PngRows.h"
#include "canvas/Spng.h"
#include "canvas/UsedColours.h"
#include "core/RunError.h"

namespace orvane {
namespace {

constexpr const char* kAction = "PNG export";

void Check(int err, const char* step) {
    spng::Check(err, kAction, step);
}

std::vector<std::uint8_t> EncodeRgb(std::uint32_t width, std::uint32_t height,
                                    std::span<const std::uint8_t> image) {
    const spng::Context ctx = spng::NewContext(SPNG_CTX_ENCODER, kAction);
    spng_ctx* c = ctx.get();
    Check(spng_set_option(c, SPNG_ENCODE_TO_BUFFER, 1), "buffer");
    // The deflate settings of the palette writer, for the same reasons.
    Check(spng_set_option(c, SPNG_IMG_COMPRESSION_LEVEL, 6), "level");
    Check(spng_set_option(c, SPNG_IMG_COMPRESSION_STRATEGY, Z_RLE), "strategy");
    Check(spng_set_option(c, SPNG_IMG_MEM_LEVEL, 6), "memory level");
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

}  // namespace

std::vector<std::uint8_t> Canvas::ExportPng() const {
    if (width_ <= 0 || height_ <= 0) throw RunError("PNG export failed: the picture is empty");
    const auto width = static_cast<std::uint32_t>(width_);
    const auto height = static_cast<std::uint32_t>(height_);
    const std::size_t count = pixels_.size();

    if (exportFormat_ != 3 || exportBitDepth_ != 8) {
        std::vector<std::uint8_t> rgb(count * 3);
        for (std::size_t i = 0; i < count; ++i) {
            const Colour c = pixels_[i];
            rgb[3 * i] = static_cast<std::uint8_t>(RedOf(c));
            rgb[3 * i + 1] = static_cast<std::uint8_t>(GreenOf(c));
            rgb[3 * i + 2] = static_cast<std::uint8_t>(BlueOf(c));
        }
        return EncodeRgb(width, height, rgb);
    }

    return IndexedPicture::FromCanvas(*this).ExportPng();
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
    PngRows::Renumber renumber{};
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

}  // namespace

std::vector<std::uint8_t> IndexedPicture::ExportPng(unsigned threads) const {
    if (width_ <= 0 || height_ <= 0) throw RunError("PNG export failed: the picture is empty");
    // Colours cut away leave the palette.
    const std::array<bool, 256> used =
        paletteAllUsed_ ? EveryColour() : UsedColours(pixels_, palette_.size(), threads);
    return ExportUsed(
        palette_, used,
        [&](const PngRows::Renumber* renumber, std::size_t colours) {
            return PngRows(pixels_, static_cast<std::size_t>(width_),
                           static_cast<std::size_t>(height_), colours, renumber);
        },
        threads);
}

std::vector<std::uint8_t> EnlargedRows::ExportPng(unsigned threads) const {
    // Enlarging shows every pixel of the picture, and the margin is black, which stays.
    std::array<bool, 256> used = EveryColour();
    if (!picture_.PaletteAllUsed()) {
        const std::array<bool, 256> found =
            UsedColours(picture_.Pixels(), picture_.Palette().size(), threads);
        for (std::size_t i = 0; i < picture_.Palette().size(); ++i)
            used[order_.renumber[i]] = found[i];
    }
    return ExportUsed(
        order_.palette, used,
        [&](const PngRows::Renumber* renumber, std::size_t colours) {
            return PngRows(*this, static_cast<std::size_t>(width_),
                           static_cast<std::size_t>(height_), colours, renumber);
        },
        threads);
}

}  // namespace orvane

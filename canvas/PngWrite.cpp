// PNG export: an 8-bit palette picture for maps (our own writer), 8-bit RGB otherwise (libspng).
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>

#include "canvas/Canvas.h"
#include "canvas/IndexedPicture.h"
#include "canvas/PngPaletteWrite.h"
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

std::vector<std::uint8_t> IndexedPicture::ExportPng(unsigned threads) const {
    if (width_ <= 0 || height_ <= 0) throw RunError("PNG export failed: the picture is empty");
    // The file's palette order is part of the map's bytes.
    if (!std::is_sorted(palette_.begin(), palette_.end()))
        throw RunError("PNG export failed: the palette is not in ascending order");
    // One entry per colour still used; black keeps index 0 whatever happens.
    std::array<bool, 256> used{};
    if (paletteAllUsed_)
        used.fill(true);
    else
        used = UsedColours(pixels_, palette_.size(), threads);
    std::array<Colour, 256> palette{};
    std::size_t entries = 0;
    std::array<Pixel, 256> renumber{};
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        if (!used[i]) continue;
        palette[entries] = palette_[i];
        renumber[i] = static_cast<Pixel>(entries++);
    }
    return WritePalettePng(static_cast<std::uint32_t>(width_), static_cast<std::uint32_t>(height_),
                           std::span(palette).first(entries), pixels_,
                           entries == palette_.size() ? nullptr : &renumber, threads);
}

}  // namespace orvane

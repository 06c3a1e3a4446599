// PNG export through libspng: an 8-bit palette picture for maps, 8-bit RGB otherwise.
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "canvas/Canvas.h"
#include "canvas/ColourMap.h"
#include "canvas/Raster.h"
#include "canvas/Spng.h"
#include "core/RunError.h"

namespace orvane {
namespace {

constexpr const char* kAction = "PNG export";

void Check(int err, const char* step) {
    spng::Check(err, kAction, step);
}

std::vector<std::uint8_t> Encode(std::uint32_t width, std::uint32_t height, std::uint8_t colourType,
                                 const spng_plte* palette, std::vector<std::uint8_t>& image) {
    const spng::Context ctx = spng::NewContext(SPNG_CTX_ENCODER, kAction);
    spng_ctx* c = ctx.get();
    Check(spng_set_option(c, SPNG_ENCODE_TO_BUFFER, 1), "buffer");
    // Level 6 with run-length matching is several times faster than the zlib defaults and
    // hardly larger on pictures made of flat areas.
    Check(spng_set_option(c, SPNG_IMG_COMPRESSION_LEVEL, 6), "level");
    Check(spng_set_option(c, SPNG_IMG_COMPRESSION_STRATEGY, Z_RLE), "strategy");
    spng_ihdr ihdr{};
    ihdr.width = width;
    ihdr.height = height;
    ihdr.bit_depth = 8;
    ihdr.color_type = colourType;
    Check(spng_set_ihdr(c, &ihdr), "header");
    if (palette) Check(spng_set_plte(c, const_cast<spng_plte*>(palette)), "palette");
    Check(spng_encode_image(c, image.data(), image.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE),
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
        return Encode(width, height, SPNG_COLOR_TYPE_TRUECOLOR, nullptr, rgb);
    }

    // The game reads palette index 0 as empty space, so black always takes it, used or not;
    // the other colours follow in ascending order, one entry each.
    ColourMap used(512);
    used.At(0);
    Colour last = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (pixels_[i] == last) continue;
        last = pixels_[i];
        used.At(last);
        if (used.Size() > 256)
            throw RunError("PNG export failed: more than 256 colours in a palette picture");
    }
    std::vector<Colour> colours;
    used.ForEach([&](Colour c, std::uint32_t) { colours.push_back(c); });
    std::sort(colours.begin(), colours.end());
    spng_plte palette{};
    palette.n_entries = static_cast<std::uint32_t>(colours.size());
    ColourMap index(colours.size());
    for (std::size_t i = 0; i < colours.size(); ++i) {
        palette.entries[i].red = static_cast<std::uint8_t>(RedOf(colours[i]));
        palette.entries[i].green = static_cast<std::uint8_t>(GreenOf(colours[i]));
        palette.entries[i].blue = static_cast<std::uint8_t>(BlueOf(colours[i]));
        index.At(colours[i]) = static_cast<std::uint32_t>(i);
    }

    std::vector<std::uint8_t> indices;
    indices.reserve(count);
    raster::PreferLargePages(indices.data(), count);
    indices.resize(count);
    last = 0;
    std::uint8_t lastIndex = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (pixels_[i] != last) {
            last = pixels_[i];
            lastIndex = static_cast<std::uint8_t>(*index.Find(last));
        }
        indices[i] = lastIndex;
    }
    return Encode(width, height, SPNG_COLOR_TYPE_INDEXED, &palette, indices);
}

}  // namespace orvane

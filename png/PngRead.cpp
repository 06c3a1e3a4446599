#include "png/PngRead.h"

#include "core/RunError.h"
#include "png/Spng.h"
#include "raster/Raster.h"

namespace orvane {
namespace {

constexpr const char* kAction = "PNG load";

void Check(int err, const char* step) {
    spng::Check(err, kAction, step);
}

}  // namespace

DecodedPng ReadPng(std::span<const std::uint8_t> png) {
    const spng::Context ctx = spng::NewContext(0, kAction);
    spng_ctx* c = ctx.get();
    // Bound what a damaged or hostile file can make us allocate before the size is checked.
    Check(spng_set_image_limits(c, 32768, 32768), "limits");
    Check(spng_set_chunk_limits(c, 1u << 24, 1u << 26), "limits");
    Check(spng_set_png_buffer(c, png.data(), png.size()), "input");
    spng_ihdr ihdr{};
    Check(spng_get_ihdr(c, &ihdr), "header");
    std::size_t size = 0;
    Check(spng_decoded_image_size(c, SPNG_FMT_RGBA8, &size), "size");
    const std::size_t count = static_cast<std::size_t>(ihdr.width) * ihdr.height;
    if (size != count * 4) throw RunError("PNG load failed: unexpected decoded size");
    // Refuses sizes a picture cannot have before the decode buffer is made.
    raster::CheckSize(ihdr.width, ihdr.height);
    DecodedPng decoded;
    decoded.rgba.resize(size);
    Check(spng_decode_image(c, decoded.rgba.data(), decoded.rgba.size(), SPNG_FMT_RGBA8, 0),
          "decode");
    decoded.width = static_cast<std::int32_t>(ihdr.width);
    decoded.height = static_cast<std::int32_t>(ihdr.height);
    return decoded;
}

}  // namespace orvane

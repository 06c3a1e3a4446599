// PNG decoding through libspng: any colour type and depth becomes packed colours.
#include "canvas/Canvas.h"
#include "canvas/Raster.h"
#include "canvas/Spng.h"
#include "core/RunError.h"

namespace orvane {
namespace {

constexpr const char* kAction = "PNG load";

void Check(int err, const char* step) {
    spng::Check(err, kAction, step);
}

}  // namespace

void Canvas::LoadPicture(std::span<const std::uint8_t> png) {
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
    // Refuses sizes the canvas cannot hold before the decode buffer is made.
    raster::CheckSize(ihdr.width, ihdr.height);
    std::vector<std::uint8_t> rgba(size);
    // Alpha is dropped: pictures are opaque colours on the map.
    Check(spng_decode_image(c, rgba.data(), rgba.size(), SPNG_FMT_RGBA8, 0), "decode");
    // Only a fully decoded picture replaces this one.
    CreateImage(static_cast<std::int32_t>(ihdr.width), static_cast<std::int32_t>(ihdr.height));
    for (std::size_t i = 0; i < count; ++i)
        pixels_[i] = RGB(rgba[4 * i], rgba[4 * i + 1], rgba[4 * i + 2]);
}

}  // namespace orvane

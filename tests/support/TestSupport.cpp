#include "tests/support/TestSupport.h"

#include <zlib.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <stdexcept>

#include "core/BigEndian.h"
#include "png/PaletteExport.h"
#include "png/PngChunks.h"
#include "png/PngSignature.h"

namespace orvane::test {
namespace {

// An 8-bit RGB PNG: review pictures and sheets hold more colours than a map's palette.
std::vector<std::uint8_t> RgbPng(const Canvas& canvas) {
    const auto width = static_cast<std::size_t>(canvas.GetWidth());
    const auto height = static_cast<std::size_t>(canvas.GetHeight());
    std::vector<std::uint8_t> rows;
    rows.reserve((width * 3 + 1) * height);
    for (std::size_t y = 0; y < height; ++y) {
        rows.push_back(0);  // no filter
        for (const Colour c : canvas.Pixels().subspan(y * width, width))
            for (const int channel : {RedOf(c), GreenOf(c), BlueOf(c)})
                rows.push_back(static_cast<std::uint8_t>(channel));
    }
    uLongf length = compressBound(static_cast<uLong>(rows.size()));
    std::vector<std::uint8_t> idat(length);
    if (compress(idat.data(), &length, rows.data(), static_cast<uLong>(rows.size())) != Z_OK)
        throw std::runtime_error("Cannot compress the picture");
    idat.resize(length);

    std::vector<std::uint8_t> png(kPngSignature.begin(), kPngSignature.end());
    std::array<std::uint8_t, 13> ihdr = {0, 0, 0, 0, 0, 0, 0, 0, 8, 2};  // 8-bit RGB
    PutBigEndian32(ihdr.data(), static_cast<std::uint32_t>(width));
    PutBigEndian32(ihdr.data() + 4, static_cast<std::uint32_t>(height));
    PutChunk(png, "IHDR", ihdr);
    PutChunk(png, "IDAT", idat);
    PutChunk(png, "IEND", {});
    return png;
}

}  // namespace

std::string OutputDir() {
    const char* env = std::getenv("ORVANE_TEST_OUT");
    std::filesystem::path dir = env ? env : "test-out";
    std::filesystem::create_directories(dir);
    return dir.string();
}

int CountLand(const Canvas& canvas) {
    int n = 0;
    for (const Colour c : canvas.Pixels()) n += c != 0;
    return n;
}

Canvas Crop(const Canvas& c, int left, int top, int w, int h) {
    Canvas out;
    out.CreateImage(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.SetPixel(x, y, c.GetPixel(left + x, top + y));
    return out;
}

Colour ColourAt(const IndexedPicture& picture, int x, int y) {
    return picture.Palette()[picture.Pixels()[static_cast<std::size_t>(y) *
                                                  static_cast<std::size_t>(picture.GetWidth()) +
                                              static_cast<std::size_t>(x)]];
}

std::vector<std::uint8_t> PalettePng(const Canvas& canvas) {
    return ExportPng(IndexedPicture::FromColours(
        canvas, Rect{0, 0, canvas.GetWidth(), canvas.GetHeight()}, 0, true, nullptr));
}

void Paste(Canvas& sheet, const Canvas& tile, int left, int top, int zoom, int shrink) {
    for (int y = 0; y < tile.GetHeight() * zoom / shrink; ++y)
        for (int x = 0; x < tile.GetWidth() * zoom / shrink; ++x)
            sheet.SetPixel(left + x, top + y, tile.GetPixel(x * shrink / zoom, y * shrink / zoom));
}

void SavePng(const Canvas& canvas, const std::string& path) {
    const auto bytes = RgbPng(canvas);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("Cannot write " + path);
}

void SaveForReview(const Canvas& canvas, const std::string& name) {
    SavePng(canvas, (std::filesystem::path(OutputDir()) / name).string());
}

}  // namespace orvane::test

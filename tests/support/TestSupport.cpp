#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace orvane::test {

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

void Paste(Canvas& sheet, const Canvas& tile, int left, int top, int zoom, int shrink) {
    for (int y = 0; y < tile.GetHeight() * zoom / shrink; ++y)
        for (int x = 0; x < tile.GetWidth() * zoom / shrink; ++x)
            sheet.SetPixel(left + x, top + y, tile.GetPixel(x * shrink / zoom, y * shrink / zoom));
}

void SavePng(const Canvas& canvas, const std::string& path) {
    Canvas copy = canvas;
    copy.SetExportFormat(2);
    const auto bytes = copy.ExportPng();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("Cannot write " + path);
}

void SaveForReview(const Canvas& canvas, const std::string& name) {
    SavePng(canvas, (std::filesystem::path(OutputDir()) / name).string());
}

}  // namespace orvane::test

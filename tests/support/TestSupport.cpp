#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace orvane::test {

std::string OutputDir() {
    const char* env = std::getenv("ORVANE_TEST_OUT");
    std::filesystem::path dir = env ? env : "test-out";
    std::filesystem::create_directories(dir);
    return dir.string();
}

void SaveForReview(const Canvas& canvas, const std::string& name) {
    Canvas copy = canvas;
    copy.SetExportFormat(2);
    const auto bytes = copy.ExportPng();
    std::ofstream out(std::filesystem::path(OutputDir()) / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

}  // namespace orvane::test

#include "app/platform/PathText.h"

namespace orvane {

// Any bytes but '/' and NUL make a name here, so they pass through untouched.
std::string PathText(const std::filesystem::path& path) {
    return path.string();
}

std::filesystem::path PathFromText(std::string_view text) {
    return std::filesystem::path(std::string(text));
}

}  // namespace orvane

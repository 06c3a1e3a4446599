#include "app/platform/PathText.h"

#include "app/platform/windows/Wide.h"

namespace orvane {

std::string PathText(const std::filesystem::path& path) {
    return platform::Narrow(path.native());
}

std::filesystem::path PathFromText(std::string_view text) {
    return std::filesystem::path(platform::Widen(text));
}

}  // namespace orvane

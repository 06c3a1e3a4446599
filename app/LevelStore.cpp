#include "app/LevelStore.h"

#include "app/MapsFolder.h"
#include "app/platform/PathText.h"
#include "app/platform/SaveFile.h"
#include "core/RunError.h"

namespace orvane {
namespace fs = std::filesystem;
namespace {

std::string NumberedName(const std::string& name, int n) {
    if (n == 1) return name;
    const auto dot = name.rfind('.');
    return name.substr(0, dot) + "_" + std::to_string(n) + name.substr(dot);
}

}  // namespace

void RequireFolder(const fs::path& folder) {
    if (const std::string problem = FolderProblem(folder); !problem.empty())
        throw RunError(problem);
}

std::string SaveLevelFile(const fs::path& folder, const std::string& name,
                          std::span<const std::uint8_t> bytes, bool replace) {
    RequireFolder(folder);
    return platform::SaveNewFile(PathText(folder), bytes, replace,
                                 [&name](int n) { return NumberedName(name, n); });
}

}  // namespace orvane

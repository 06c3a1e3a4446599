#include "app/LevelStore.h"

#include <cerrno>
#include <cstring>

#include "app/platform/ProgramFolder.h"
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

fs::path DefaultSavedLevelsFolder() {
    return ProgramFolder() / "User" / "SavedLevels";
}

void RequireFolder(const fs::path& folder) {
    const int err = platform::FolderUsable(folder.string());
    if (err == ENOENT) throw RunError("The saved-levels folder does not exist: " + folder.string());
    if (err == ENOTDIR) throw RunError("The saved-levels path is not a folder: " + folder.string());
    if (err != 0) throw RunError("Cannot save in " + folder.string() + ": " + std::strerror(err));
}

std::string SaveLevelFile(const fs::path& folder, const std::string& name,
                          std::span<const std::uint8_t> bytes, bool replace) {
    RequireFolder(folder);
    return platform::SaveNewFile(folder.string(), bytes, replace,
                                 [&name](int n) { return NumberedName(name, n); });
}

}  // namespace orvane

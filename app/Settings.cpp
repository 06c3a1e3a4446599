#include "app/Settings.h"

#include "app/platform/ConfigFile.h"
#include "app/platform/PathText.h"
#include "app/platform/SaveFile.h"
#include "core/RunError.h"

namespace orvane {
namespace fs = std::filesystem;
namespace {

constexpr const char* kMapsFolderKey = "maps-folder";
constexpr std::size_t kMaxSettingsBytes = 64 * 1024;  // a larger file is not ours

// Lines of "key=value"; '#' starts a comment line. Keys of later versions are ignored (and not
// written back).
Settings Parse(const std::string& text) {
    if (text.find('\0') != std::string::npos) throw RunError("it holds binary data");
    Settings settings;
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos || eq == 0)
            throw RunError("line " + std::to_string(lineNumber) + " is not key=value");
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (key == kMapsFolderKey) {
            const fs::path folder = PathFromText(value);
            if (!folder.is_absolute())
                throw RunError("line " + std::to_string(lineNumber) +
                               ": the maps folder is not an absolute path");
            settings.mapsFolder = folder;
        }
    }
    return settings;
}

}  // namespace

fs::path SettingsFile() {
    const fs::path folder = SettingsFolder();
    return folder.empty() ? fs::path() : folder / "settings";
}

LoadedSettings LoadSettings(const fs::path& file) {
    LoadedSettings loaded;
    if (file.empty()) return loaded;
    try {
        if (const auto text = ReadSmallFile(file, kMaxSettingsBytes))
            loaded.settings = Parse(*text);
    } catch (const RunError& e) {
        loaded.settings = {};
        loaded.problem = "The settings file " + PathText(file) + " is ignored: " + e.what();
    }
    return loaded;
}

void SaveSettings(const fs::path& file, const Settings& settings) {
    if (file.empty()) throw RunError("No settings folder: " + NoSettingsFolderReason());
    std::string text = "# Orvane settings, written by the window\n";
    if (settings.mapsFolder) {
        const std::string folder = PathText(*settings.mapsFolder);
        if (folder.find('\n') != std::string::npos || folder.find('\r') != std::string::npos)
            throw RunError("A folder whose name holds a line break cannot be remembered");
        text += std::string(kMapsFolderKey) + "=" + folder + "\n";
    }
    const fs::path folder = file.parent_path();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw RunError("Cannot create " + PathText(folder) + ": " + ec.message());

    // The maps' own atomic save: a crash leaves the old settings or the new, and a symbolic
    // link at `file` is replaced, never written through.
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    platform::SaveNewFile(PathText(folder), {bytes, text.size()}, true,
                          [&file](int) { return PathText(file.filename()); });
}

}  // namespace orvane

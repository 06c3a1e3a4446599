#include "app/Settings.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/platform/ConfigFile.h"
#include "app/platform/PathText.h"
#include "app/platform/SaveFile.h"
#include "core/RunError.h"

namespace orvane {
namespace fs = std::filesystem;
namespace {

constexpr const char* kMapsFolderKey = "maps-folder";
constexpr std::size_t kMaxSettingsBytes = 64 * 1024;  // a larger file is not ours
constexpr std::string_view kBom = "\xEF\xBB\xBF";     // Windows editors start UTF-8 with it
constexpr const char* kBlanks = " \t";
constexpr std::size_t kMaxKeyShown = 60;

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// A key as the message shows it: no control characters, no endless line.
std::string Shown(std::string_view key) {
    std::string shown;
    for (const char c : key.substr(0, kMaxKeyShown))
        shown += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    if (key.size() > kMaxKeyShown) {
        while (!shown.empty() && (static_cast<unsigned char>(shown.back()) & 0xC0) == 0x80)
            shown.pop_back();  // not half a character
        if (!shown.empty()) shown.pop_back();
        shown += "...";
    }
    return "\"" + shown + "\"";
}

struct Parsed {
    Settings settings;
    std::string unknownKeys;  // "\"a\" (line 2), ..." for the message
    int unknownCount = 0;
};

// Lines of "key=value" with blanks around either ignored; a value in double quotes keeps the
// blanks at its ends. '#' starts a comment line. Unknown keys are ignored (and not written back).
Parsed Parse(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) throw RunError("it holds binary data");
    if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
    Parsed parsed;
    std::vector<std::string_view> seen;
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        line = Trim(line);
        if (line.empty() || line[0] == '#') continue;
        const std::string at = "line " + std::to_string(lineNumber);
        const auto eq = line.find('=');
        if (eq == std::string_view::npos || eq == 0) throw RunError(at + " is not key=value");
        const std::string_view key = Trim(line.substr(0, eq));
        std::string_view value = Trim(line.substr(eq + 1));
        if (!value.empty() && value.front() == '"') {
            if (value.size() < 2 || value.back() != '"')
                throw RunError(at + ": the closing quote is missing");
            value = value.substr(1, value.size() - 2);
        }
        if (key == kMapsFolderKey) {
            const fs::path folder = PathFromText(value);
            if (!folder.is_absolute())
                throw RunError(at + ": the maps folder is not an absolute path");
            parsed.settings.mapsFolder = folder;
        } else if (std::find(seen.begin(), seen.end(), key) == seen.end()) {
            seen.push_back(key);
            if (parsed.unknownCount++ > 0) parsed.unknownKeys += ", ";
            parsed.unknownKeys += Shown(key) + " (" + at + ")";
        }
    }
    return parsed;
}

// The value as Parse reads it back: quoted when blanks at its ends would be trimmed.
std::string Written(const std::string& value) {
    const bool quote = !value.empty() && (Trim(value).size() != value.size() || value[0] == '"');
    return quote ? "\"" + value + "\"" : value;
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
        if (const auto text = ReadSmallFile(file, kMaxSettingsBytes)) {
            const Parsed parsed = Parse(*text);
            loaded.settings = parsed.settings;
            if (parsed.unknownCount > 0)
                loaded.problem =
                    "In the settings file " + PathText(file) +
                    (parsed.unknownCount == 1 ? " the unknown key " : " the unknown keys ") +
                    parsed.unknownKeys + (parsed.unknownCount == 1 ? " is" : " are") + " ignored";
        }
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
        text += std::string(kMapsFolderKey) + "=" + Written(folder) + "\n";
    }
    // A symbolic link (a dotfile manager's) stays; the file it leads to is replaced.
    fs::path target;
    try {
        target = FileBehindLink(file);
    } catch (const RunError& e) {
        throw RunError("Cannot save the settings through the link " + PathText(file) + ": " +
                       e.what());
    }
    const fs::path folder = target.parent_path();
    std::error_code ec;
    if (target != file) {
        // The folder a link leads into is the player's to make, not ours.
        if (!fs::is_directory(folder, ec))
            throw RunError("Cannot save the settings: " + PathText(file) +
                           " is a symbolic link into " + PathText(folder) +
                           ", which is not an existing folder");
    } else {
        fs::create_directories(folder, ec);
        if (ec) throw RunError("Cannot create " + PathText(folder) + ": " + ec.message());
    }

    // The maps' own atomic save: a crash leaves the old settings or the new.
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    platform::SaveNewFile(PathText(folder), {bytes, text.size()}, true,
                          [&target](int) { return PathText(target.filename()); });
}

}  // namespace orvane

#include "app/Settings.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "app/platform/SaveFile.h"
#include "core/RunError.h"

namespace orvane {
namespace fs = std::filesystem;
namespace {

constexpr const char* kMapsFolderKey = "maps-folder";
constexpr std::size_t kMaxSettingsBytes = 64 * 1024;  // a larger file is not ours

std::string Reason(int err) {
    return std::strerror(err);
}

fs::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr)
        return pw->pw_dir;
    return {};
}

// Reads the whole file without following a symbolic link; throws a message on failure.
std::string ReadSmallFile(const fs::path& file, bool& missing) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            missing = true;
            return {};
        }
        throw RunError(errno == ELOOP ? "it is a symbolic link" : Reason(errno));
    }
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            throw RunError(Reason(err));
        }
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > kMaxSettingsBytes) {
            ::close(fd);
            throw RunError("it is larger than " + std::to_string(kMaxSettingsBytes) + " bytes");
        }
    }
    ::close(fd);
    return text;
}

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
            if (value.empty() || value[0] != '/')
                throw RunError("line " + std::to_string(lineNumber) +
                               ": the maps folder is not an absolute path");
            settings.mapsFolder = fs::path(value);
        }
    }
    return settings;
}

}  // namespace

fs::path SettingsFile() {
    fs::path base;
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/')
        base = config;
    else if (const fs::path home = HomeFolder(); !home.empty())
        base = home / ".config";
    else
        return {};
    return base / "orvane" / "settings";
}

LoadedSettings LoadSettings(const fs::path& file) {
    LoadedSettings loaded;
    if (file.empty()) return loaded;
    try {
        bool missing = false;
        const std::string text = ReadSmallFile(file, missing);
        if (!missing) loaded.settings = Parse(text);
    } catch (const RunError& e) {
        loaded.settings = {};
        loaded.problem = "The settings file " + file.string() + " is ignored: " + e.what();
    }
    return loaded;
}

void SaveSettings(const fs::path& file, const Settings& settings) {
    if (file.empty()) throw RunError("No settings folder: neither XDG_CONFIG_HOME nor HOME is set");
    std::string text = "# Orvane settings, written by the window\n";
    if (settings.mapsFolder) {
        const std::string folder = settings.mapsFolder->string();
        if (folder.find('\n') != std::string::npos || folder.find('\r') != std::string::npos)
            throw RunError("A folder whose name holds a line break cannot be remembered");
        text += std::string(kMapsFolderKey) + "=" + folder + "\n";
    }
    const fs::path folder = file.parent_path();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw RunError("Cannot create " + folder.string() + ": " + ec.message());

    // The maps' own atomic save: a crash leaves the old settings or the new, and a symbolic
    // link at `file` is replaced, never written through.
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    platform::SaveNewFile(folder.string(), {bytes, text.size()}, true,
                          [&file](int) { return file.filename().string(); });
}

}  // namespace orvane

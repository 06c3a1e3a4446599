#include "app/platform/ConfigFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "core/RunError.h"

namespace orvane {
namespace fs = std::filesystem;
namespace {

std::string Reason(int err) {
    return std::strerror(err);
}

fs::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr)
        return pw->pw_dir;
    return {};
}

}  // namespace

fs::path SettingsFolder() {
    fs::path base;
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/')
        base = config;
    else if (const fs::path home = HomeFolder(); !home.empty())
        base = home / ".config";
    else
        return {};
    return base / "orvane";
}

std::string NoSettingsFolderReason() {
    return "neither XDG_CONFIG_HOME nor HOME is set";
}

std::optional<std::string> ReadSmallFile(const fs::path& file, std::size_t maxBytes) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return std::nullopt;
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
        if (text.size() > maxBytes) {
            ::close(fd);
            throw RunError("it is larger than " + std::to_string(maxBytes) + " bytes");
        }
    }
    ::close(fd);
    return text;
}

}  // namespace orvane

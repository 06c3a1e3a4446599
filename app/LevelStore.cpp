#include "app/LevelStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/platform/ProgramFolder.h"
#include "core/RunError.h"

namespace orvane {
namespace fs = std::filesystem;
namespace {

std::string Reason(int err) {
    return std::strerror(err);
}

// Writes everything to a new temporary file in `folder` and returns its path.
fs::path WriteTemporary(const fs::path& folder, std::span<const std::uint8_t> bytes) {
    std::string pattern = (folder / ".orvane-XXXXXX.tmp").string();
    const int fd = mkstemps(pattern.data(), 4);
    if (fd < 0) throw RunError("Cannot write in " + folder.string() + ": " + Reason(errno));
    // mkstemps makes the file private; a level file is an ordinary file of the user's.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    std::size_t done = 0;
    int err = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err != 0) {
        ::unlink(pattern.c_str());
        throw RunError("Cannot write " + pattern + ": " + Reason(err));
    }
    return pattern;
}

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
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        throw RunError("The saved-levels folder does not exist: " + folder.string());
}

std::string SaveLevelFile(const fs::path& folder, const std::string& name,
                          std::span<const std::uint8_t> bytes, bool replace) {
    RequireFolder(folder);
    const fs::path temp = WriteTemporary(folder, bytes);
    if (replace) {
        if (::rename(temp.c_str(), (folder / name).c_str()) != 0) {
            const int err = errno;
            ::unlink(temp.c_str());
            throw RunError("Cannot save " + (folder / name).string() + ": " + Reason(err));
        }
        return name;
    }
    // link() refuses an existing target atomically, so two runs can never take one name.
    for (int n = 1;; ++n) {
        const std::string candidate = NumberedName(name, n);
        if (::link(temp.c_str(), (folder / candidate).c_str()) == 0) {
            ::unlink(temp.c_str());
            return candidate;
        }
        const int err = errno;
        if (err != EEXIST || n >= 100000) {
            ::unlink(temp.c_str());
            throw RunError("Cannot save " + (folder / candidate).string() + ": " + Reason(err));
        }
    }
}

}  // namespace orvane

#include "app/platform/ConfigFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
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

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { ::close(fd_); }
    int Get() const { return fd_; }

  private:
    int fd_;
};

// Why an opened file that is not a regular file is refused.
std::string NotAFile(mode_t mode) {
    if (S_ISDIR(mode)) return Reason(EISDIR);
    if (S_ISFIFO(mode)) return "it is a named pipe (FIFO), not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
    if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
    return "it is not a regular file";
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
    // Without O_NONBLOCK opening a FIFO waits for a writer. What was opened is judged on the
    // descriptor: a check of the name before the open could be raced.
    const int opened = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (opened < 0) {
        const int err = errno;
        struct stat link {};
        if (err == ENOENT && ::lstat(file.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
            std::error_code ec;
            const fs::path target = fs::read_symlink(file, ec);
            throw RunError("it is a symbolic link to " + target.string() +
                           ", which does not exist");
        }
        if (err == ENOENT) return std::nullopt;
        throw RunError(Reason(err));
    }
    const Fd fd(opened);
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) throw RunError(Reason(errno));
    if (!S_ISREG(info.st_mode)) throw RunError(NotAFile(info.st_mode));
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw RunError(Reason(errno));
        if (n == 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > maxBytes)
            throw RunError("it is larger than " + std::to_string(maxBytes) + " bytes");
    }
    return text;
}

fs::path FileBehindLink(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_symlink(file, ec)) return file;
    // A link to an existing file: every link on the way resolved at once.
    if (fs::path real = fs::canonical(file, ec); !ec) return real;
    // A link to a file not made yet: followed by hand to the name it gives.
    fs::path path = file;
    for (int hop = 0; fs::is_symlink(path, ec); ++hop) {
        if (hop == 40) throw RunError(Reason(ELOOP));
        const fs::path target = fs::read_symlink(path, ec);
        if (ec) throw RunError("cannot read the link " + path.string() + ": " + ec.message());
        // A relative target counts from the folder the link really is in.
        const fs::path folder = fs::canonical(fs::absolute(path, ec).parent_path(), ec);
        if (ec) throw RunError("cannot follow the link " + path.string() + ": " + ec.message());
        path = folder / target;
    }
    const fs::path normal = fs::weakly_canonical(path, ec);
    return ec ? path : normal;
}

}  // namespace orvane

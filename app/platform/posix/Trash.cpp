#include "app/platform/Trash.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>

#include "app/Printable.h"

namespace orvane::platform {
namespace {
namespace fs = std::filesystem;

// Names tried for one file before giving up: "map.png", "map.2.png", ...
constexpr int kMaxNames = 10000;

[[noreturn]] void Fail(const std::string& what, const fs::path& path, int err) {
    throw TrashError(what + " " + Printable(path.string()) + ": " + std::strerror(err));
}

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }

  private:
    int fd_;
};

// A trash folder: files/ holds the files, info/ says where each came from.
struct TrashDir {
    fs::path root;
    fs::path topdir;  // empty for the home trash, whose Path= lines are absolute
};

// Bytes outside the unreserved set and '/' percent-encoded, as a URL path.
std::string Encoded(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
            (byte >= '0' && byte <= '9') || std::strchr("-._~/", c) != nullptr) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        }
    }
    return out;
}

std::string DeletionDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// Makes `dir` (mode 0700) unless there is one; a symlink or a folder of another user is refused,
// as files trashed there would be open to whoever planted it.
int MakePrivateDir(const fs::path& dir) {
    if (::mkdir(dir.c_str(), 0700) == 0) return 0;
    if (errno != EEXIST) return errno;
    struct stat st {};
    if (::lstat(dir.c_str(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    return st.st_uid == ::geteuid() ? 0 : EACCES;
}

int PrepareTrash(const fs::path& root) {
    if (const int err = MakePrivateDir(root); err != 0) return err;
    if (const int err = MakePrivateDir(root / "files"); err != 0) return err;
    return MakePrivateDir(root / "info");
}

// The home trash, made when missing.
TrashDir HomeTrash() {
    fs::path dataHome;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') {
        dataHome = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        dataHome = fs::path(home) / ".local" / "share";
    } else {
        throw TrashError("Cannot find the trash: neither XDG_DATA_HOME nor HOME is set");
    }
    std::error_code ec;
    fs::create_directories(dataHome, ec);
    if (ec) Fail("Cannot make the trash in", dataHome, ec.value());
    const fs::path root = dataHome / "Trash";
    if (const int err = PrepareTrash(root); err != 0) Fail("Cannot make the trash", root, err);
    return {root, {}};
}

// The top folder of the file system holding `dir`: the last folder upwards on the same device.
fs::path TopDir(const fs::path& dir) {
    std::error_code ec;
    fs::path at = fs::canonical(dir, ec);
    if (ec) Fail("Cannot find the folder", dir, ec.value());
    struct stat st {};
    if (::stat(at.c_str(), &st) != 0) Fail("Cannot find the folder", at, errno);
    const dev_t device = st.st_dev;
    while (at.has_relative_path()) {
        const fs::path parent = at.parent_path();
        if (::stat(parent.c_str(), &st) != 0 || st.st_dev != device) break;
        at = parent;
    }
    return at;
}

// The trash at the top of the file system holding `dir`, made when missing: the shared
// $topdir/.Trash/$uid when the administrator made .Trash a sticky folder, else $topdir/.Trash-$uid.
TrashDir TopDirTrash(const fs::path& dir) {
    const fs::path topdir = TopDir(dir);
    const std::string uid = std::to_string(::geteuid());
    struct stat st {};
    const fs::path shared = topdir / ".Trash";
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX) != 0 &&
        PrepareTrash(shared / uid) == 0)
        return {shared / uid, topdir};
    const fs::path own = topdir / (".Trash-" + uid);
    if (const int err = PrepareTrash(own); err != 0) Fail("Cannot make a trash in", topdir, err);
    return {own, topdir};
}

// "map.png", then "map.2.png", "map.3.png", ...
std::string Candidate(const fs::path& name, int n) {
    if (n == 1) return name.string();
    return name.stem().string() + "." + std::to_string(n) + name.extension().string();
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return ::fsync(fd) == 0;
}

// Renames without ever replacing: EEXIST when `to` is taken.
int RenameNoReplace(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
    // Without the flag: a hard link refuses a taken name just as atomically.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) return errno;
    // Neither (FAT): look first. Only a file made in the instant between could be replaced.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Moves `file` into `trash`: 0 and the item when done, else the failure of the move itself.
// EXDEV means `trash` lies on another file system.
int MoveInto(const TrashDir& trash, const fs::path& file, TrashedFile& item) {
    std::string path = file.string();
    if (!trash.topdir.empty()) {
        // Relative to the top folder, so the trash still finds it mounted elsewhere; the top
        // folder was found through the real folder, symlinks resolved, so the path is too.
        std::error_code ec;
        const fs::path real = fs::canonical(file.parent_path(), ec) / file.filename();
        if (ec) return ec.value();
        path = real.lexically_relative(trash.topdir).string();
    }
    const std::string info =
        "[Trash Info]\nPath=" + Encoded(path) + "\nDeletionDate=" + DeletionDate() + "\n";
    for (int n = 1; n <= kMaxNames; ++n) {
        const std::string name = Candidate(file.filename(), n);
        const fs::path infoFile = trash.root / "info" / (name + ".trashinfo");
        // The .trashinfo taken with O_EXCL reserves the name against other programs trashing.
        const Fd fd(
            ::open(infoFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (fd.Get() < 0) {
            if (errno == EEXIST) continue;
            Fail("Cannot write in the trash", trash.root, errno);
        }
        errno = 0;
        if (!WriteAll(fd.Get(), info)) {
            const int err = errno != 0 ? errno : ENOSPC;
            ::unlink(infoFile.c_str());
            Fail("Cannot write in the trash", infoFile, err);
        }
        const fs::path target = trash.root / "files" / name;
        const int err = RenameNoReplace(file, target);
        if (err == 0) {
            item = {file, target, infoFile, {}};
            return 0;
        }
        ::unlink(infoFile.c_str());
        if (err != EEXIST) return err;  // a file without .trashinfo holds the name: try the next
    }
    return EEXIST;
}

}  // namespace

TrashedFile MoveToTrash(const fs::path& file) {
    std::error_code ec;
    const fs::path original = fs::absolute(file, ec).lexically_normal();
    if (ec) Fail("Cannot move to the trash", file, ec.value());
    struct stat st {};
    if (::lstat(original.c_str(), &st) != 0) Fail("Cannot move to the trash", original, errno);
    if (!original.has_filename()) Fail("Cannot move to the trash", original, EINVAL);

    TrashedFile item;
    const TrashDir home = HomeTrash();
    struct stat homeSt {};
    int err = EXDEV;
    if (::stat(home.root.c_str(), &homeSt) == 0 && homeSt.st_dev == st.st_dev)
        err = MoveInto(home, original, item);
    // On another file system (or a bind mount, which rename treats alike) the file goes to that
    // file system's own trash: copying a map across disks could leave it half in both.
    if (err == EXDEV) err = MoveInto(TopDirTrash(original.parent_path()), original, item);
    if (err != 0) Fail("Cannot move to the trash", original, err);
    return item;
}

void RestoreFromTrash(const TrashedFile& item) {
    struct stat st {};
    if (item.inTrash.empty() || ::lstat(item.inTrash.c_str(), &st) != 0)
        throw TrashError(Printable(item.original.filename().string()) +
                         " is no longer in the trash");
    const int err = RenameNoReplace(item.inTrash, item.original);
    if (err == EEXIST)
        throw TrashError("Cannot put back " + Printable(item.original.string()) +
                         ": another file now has its name");
    if (err != 0) Fail("Cannot put back", item.original, err);
    if (!item.info.empty()) ::unlink(item.info.c_str());
}

}  // namespace orvane::platform

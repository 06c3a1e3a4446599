#include "app/platform/SaveFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>

#include "app/Printable.h"
#include "core/RunError.h"

namespace orvane::platform {
namespace {

constexpr const char* kTempPrefix = ".orvane-";
constexpr const char* kTempSuffix = ".tmp";
// A named temporary about to take a name says so: ".orvane-PID-N=NAME.tmp".
constexpr char kClaimMark = '=';
// Temporaries of older versions carry no process id; no save takes this long.
constexpr time_t kOldStyleTempAge = 3600;

[[noreturn]] void Fail(const std::string& what, const std::string& path, int err) {
    throw RunError(what + " " + Printable(path) + ": " + std::strerror(err));
}

// An open descriptor, closed when it goes out of scope.
class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { Reset(); }
    void Reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    int Get() const { return fd_; }

  private:
    int fd_;
};

// A temporary file in the folder: unnamed, or named and removed unless it was placed.
struct Temporary {
    int dir;
    Fd fd;
    std::string name;  // empty while unnamed
    ~Temporary() {
        if (!name.empty()) ::unlinkat(dir, name.c_str(), 0);
    }
};

std::string TempName() {
    // Saves may run on a thread of their own.
    static std::atomic<unsigned> counter = 0;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    char text[96];
    std::snprintf(text, sizeof text, "%s%ld-%lx%x%s", kTempPrefix, static_cast<long>(::getpid()),
                  static_cast<unsigned long>(now.tv_nsec), ++counter, kTempSuffix);
    return text;
}

// Errors that mean "this file system cannot do that": the next way is tried.
bool Unsupported(int err) {
    return err == EOPNOTSUPP || err == ENOTSUP || err == EINVAL || err == ENOSYS || err == EPERM ||
           err == EISDIR || err == EMLINK || err == EXDEV;
}

void WriteAll(int fd, std::span<const std::uint8_t> bytes, const std::string& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ActiveSaveCalls().write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Fail("Cannot write", path, n == 0 ? ENOSPC : errno);
        done += static_cast<std::size_t>(n);
    }
    if (ActiveSaveCalls().fsync(fd) != 0) Fail("Cannot write", path, errno);
}

// Links a named temporary to the unnamed file `tmp`, under a fresh name.
int LinkUnnamed(Temporary& tmp, const std::string& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(tmp.fd.Get());
    if (ActiveSaveCalls().linkat(AT_FDCWD, self.c_str(), tmp.dir, name.c_str(),
                                 AT_SYMLINK_FOLLOW) == 0)
        return 0;
    if (errno != ENOENT) return errno;
    // Without /proc: allowed to privileged processes only, but costs nothing to try.
    return ActiveSaveCalls().linkat(tmp.fd.Get(), "", tmp.dir, name.c_str(), AT_EMPTY_PATH) == 0
               ? 0
               : errno;
}

bool SameFile(int dir, const std::string& name, int fd) {
    struct stat byName {};
    struct stat byFd {};
    return ::fstatat(dir, name.c_str(), &byName, AT_SYMLINK_NOFOLLOW) == 0 &&
           ::fstat(fd, &byFd) == 0 && byName.st_dev == byFd.st_dev && byName.st_ino == byFd.st_ino;
}

// Opens a named temporary and locks it, so that no other process takes it for a stale one.
void OpenNamed(Temporary& tmp, const std::string& folder) {
    for (int attempt = 0;; ++attempt) {
        const std::string name = TempName();
        const int fd = ActiveSaveCalls().openat(
            tmp.dir, name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST && attempt < 100) continue;
            Fail("Cannot write in", folder, errno);
        }
        tmp.fd.Reset(fd);
        tmp.name = name;
        ::flock(fd, LOCK_EX);
        return;
    }
}

// Keeps the old file of a name reachable under a temporary name while it is replaced, so a
// failed folder sync can put it back. Empty when there is no old file or no hard links.
std::string KeepOld(int dir, const std::string& name) {
    const std::string keep = TempName();
    return ActiveSaveCalls().linkat(dir, name.c_str(), dir, keep.c_str(), 0) == 0 ? keep : "";
}

void SyncFolder(int dir, const std::string& folder) {
    // Some file systems cannot sync a folder at all; their writes are then as safe as they get.
    if (ActiveSaveCalls().fsync(dir) != 0 && errno != EINVAL && errno != EROFS)
        Fail("Cannot sync the folder", folder, errno);
}

// Renames the named temporary over `name` and syncs the folder; on failure the old file is back.
void ReplaceWith(Temporary& tmp, const std::string& folder, const std::string& name) {
    const std::string old = KeepOld(tmp.dir, name);
    if (ActiveSaveCalls().renameat2(tmp.dir, tmp.name.c_str(), tmp.dir, name.c_str(), 0) != 0) {
        const int err = errno;
        if (!old.empty()) ::unlinkat(tmp.dir, old.c_str(), 0);
        Fail("Cannot save", folder + "/" + name, err);
    }
    tmp.name.clear();
    try {
        SyncFolder(tmp.dir, folder);
    } catch (const RunError&) {
        if (old.empty() || ::renameat(tmp.dir, old.c_str(), tmp.dir, name.c_str()) != 0)
            ::unlinkat(tmp.dir, name.c_str(), 0);
        throw;
    }
    if (!old.empty()) ::unlinkat(tmp.dir, old.c_str(), 0);
}

// The new name is in place: sync the folder, or take the name away again.
std::string Placed(int dir, const std::string& folder, const std::string& name) {
    try {
        SyncFolder(dir, folder);
    } catch (const RunError&) {
        ::unlinkat(dir, name.c_str(), 0);
        throw;
    }
    return name;
}

// Places an unnamed temporary; nothing when this file system cannot link one.
std::optional<std::string> PlaceUnnamed(Temporary& tmp, const std::string& folder, bool replace,
                                        const std::function<std::string(int)>& candidate) {
    if (replace) {
        const std::string name = TempName();
        const int err = LinkUnnamed(tmp, name);
        if (err != 0) {
            if (Unsupported(err) || err == ENOENT) return std::nullopt;
            Fail("Cannot save", folder + "/" + candidate(1), err);
        }
        tmp.name = name;
        ReplaceWith(tmp, folder, candidate(1));
        return candidate(1);
    }
    // linkat refuses an existing name atomically, so two saves can never take one name.
    for (int n = 1;; ++n) {
        const std::string name = candidate(n);
        const int err = LinkUnnamed(tmp, name);
        if (err == 0) return Placed(tmp.dir, folder, name);
        if (err == EEXIST && n < 100000) continue;
        if (n == 1 && (Unsupported(err) || err == ENOENT)) return std::nullopt;
        Fail("Cannot save", folder + "/" + name, err);
    }
}

// Renames the named temporary so that its name says which name its save is about to take.
int Claim(Temporary& tmp, const std::string& name) {
    const std::size_t mark = tmp.name.find(kClaimMark);
    const std::string base = mark != std::string::npos
                                 ? tmp.name.substr(0, mark)
                                 : tmp.name.substr(0, tmp.name.size() - std::strlen(kTempSuffix));
    const std::string claiming = base + kClaimMark + name + kTempSuffix;
    if (ActiveSaveCalls().renameat2(tmp.dir, tmp.name.c_str(), tmp.dir, claiming.c_str(), 0) != 0)
        return errno;
    tmp.name = claiming;
    return 0;
}

// The ways to place a named temporary without replacing a file, best first.
enum class Way { RenameNoReplace, Link, ExclusiveCreate };

// Tries one way for `name`: 0 when placed, EEXIST when taken, or the failure.
int TryPlace(Way way, Temporary& tmp, const std::string& name, const std::string& folder) {
    SaveCalls& sys = ActiveSaveCalls();
    switch (way) {
        case Way::RenameNoReplace:
            if (sys.renameat2(tmp.dir, tmp.name.c_str(), tmp.dir, name.c_str(), RENAME_NOREPLACE))
                return errno;
            tmp.name.clear();
            return 0;
        case Way::Link:
            return sys.linkat(tmp.dir, tmp.name.c_str(), tmp.dir, name.c_str(), 0) ? errno : 0;
        case Way::ExclusiveCreate: {
            // The last resort: an exclusive create takes the name, then the written temporary
            // replaces that empty file in one rename, so the name never holds part of a map.
            // The temporary's name claims the name first: should the save die between the two,
            // the next save knows the empty file for a dead save's and removes it.
            struct stat st {};
            if (::fstatat(tmp.dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return EEXIST;
            if (const int err = Claim(tmp, name); err != 0) return err;
            const Fd taken(sys.openat(tmp.dir, name.c_str(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
            if (taken.Get() < 0) return errno;
            // Locked until replaced, so no cleanup removes it. A cleanup that removed it before
            // the lock leaves the name to whoever takes it next.
            ::flock(taken.Get(), LOCK_EX);
            if (!SameFile(tmp.dir, name, taken.Get())) return EEXIST;
            if (sys.renameat2(tmp.dir, tmp.name.c_str(), tmp.dir, name.c_str(), 0) != 0) {
                const int err = errno;
                ::unlinkat(tmp.dir, name.c_str(), 0);
                Fail("Cannot save", folder + "/" + name, err);
            }
            tmp.name.clear();
            return 0;
        }
    }
    return EINVAL;
}

std::string PlaceNamed(Temporary& tmp, const std::string& folder, bool replace,
                       const std::function<std::string(int)>& candidate) {
    if (replace) {
        ReplaceWith(tmp, folder, candidate(1));
        return candidate(1);
    }
    Way way = Way::RenameNoReplace;
    for (int n = 1;;) {
        const std::string name = candidate(n);
        const int err = TryPlace(way, tmp, name, folder);
        if (err == 0) return Placed(tmp.dir, folder, name);
        if (err == EEXIST && n < 100000) {
            ++n;
        } else if (Unsupported(err) && way != Way::ExclusiveCreate) {
            way = way == Way::RenameNoReplace ? Way::Link : Way::ExclusiveCreate;
        } else {
            Fail("Cannot save", folder + "/" + name, err);
        }
    }
}

// 0 when a file can be made in `folder`, else why not. Only a file made there tells: permissions
// pass every check for root, yet /proc takes no file. An unnamed file vanishes as it is closed;
// a named one is removed at once, or as a stale temporary should this process die first.
int ProbeFolder(const std::string& folder) {
    const Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() < 0) return errno;
    if (const Fd unnamed(::openat(dir.Get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
        unnamed.Get() >= 0)
        return 0;
    const std::string name = TempName();
    Fd named(::openat(dir.Get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      0600));
    if (named.Get() < 0) return errno;
    named.Reset();  // closed first: NFS keeps an open file it is told to remove
    ::unlinkat(dir.Get(), name.c_str(), 0);
    return 0;
}

bool ProcessRunning(long pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// A temporary is stale when its writer is gone: its process ended and nobody holds its lock.
bool Stale(int dir, const std::string& name) {
    const std::string middle =
        name.substr(std::strlen(kTempPrefix),
                    name.size() - std::strlen(kTempPrefix) - std::strlen(kTempSuffix));
    const auto dash = middle.find('-');
    Fd fd(::openat(dir, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_uid != ::geteuid())
        return false;
    if (dash == std::string::npos) {  // an older version's temporary: no pid, no lock
        if (std::time(nullptr) - st.st_mtime < kOldStyleTempAge) return false;
    } else {
        char* end = nullptr;
        const long pid = std::strtol(middle.c_str(), &end, 10);
        if (end != middle.c_str() + dash || ProcessRunning(pid)) return false;
    }
    return ::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0;
}

// Removes `name` when it is the empty file a dead save took the name with: only an empty regular
// file of this user that no running save holds locked.
void RemoveAbandonedName(int dir, const std::string& name) {
    const Fd fd(::openat(dir, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (fd.Get() >= 0 && ::fstat(fd.Get(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0 &&
        st.st_uid == ::geteuid() && ::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0 &&
        SameFile(dir, name, fd.Get()))
        ::unlinkat(dir, name.c_str(), 0);
}

// Removes the stale temporaries in the open folder `dir` (see SaveNewFile): the folder a save
// has open, not whatever its path names by now.
void RemoveStaleIn(int dir) {
    const int listFd = ::dup(dir);
    if (listFd < 0) return;
    DIR* list = ::fdopendir(listFd);
    if (list == nullptr) {
        ::close(listFd);
        return;
    }
    const std::size_t prefix = std::strlen(kTempPrefix);
    const std::size_t suffix = std::strlen(kTempSuffix);
    while (const dirent* entry = ::readdir(list)) {
        const std::string name = entry->d_name;
        if (name.size() <= prefix + suffix || name.compare(0, prefix, kTempPrefix) != 0 ||
            name.compare(name.size() - suffix, suffix, kTempSuffix) != 0 || !Stale(dir, name))
            continue;
        // Only temporaries with a process id claim names.
        if (const std::size_t mark = name.find(kClaimMark);
            mark != std::string::npos && name.find('-', prefix) < mark)
            RemoveAbandonedName(dir, name.substr(mark + 1, name.size() - mark - 1 - suffix));
        ::unlinkat(dir, name.c_str(), 0);
    }
    ::closedir(list);
}

}  // namespace

SaveCalls DefaultSaveCalls() {
    return {
        [](int dir, const char* path, int flags, mode_t mode) {
            return ::openat(dir, path, flags, mode);
        },
        [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); },
        [](int fromDir, const char* from, int toDir, const char* to, int flags) {
            return ::linkat(fromDir, from, toDir, to, flags);
        },
        [](int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
            return ::renameat2(fromDir, from, toDir, to, flags);
        },
    };
}

SaveCalls& ActiveSaveCalls() {
    static SaveCalls calls = DefaultSaveCalls();
    return calls;
}

FolderCheck CheckFolder(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        const int err = errno;
        return {err == ENOENT    ? FolderCheck::Fault::Missing
                : err == ENOTDIR ? FolderCheck::Fault::NotAFolder
                                 : FolderCheck::Fault::Other,
                std::strerror(err)};
    }
    if (!S_ISDIR(st.st_mode)) return {FolderCheck::Fault::NotAFolder, std::strerror(ENOTDIR)};
    // The folder is there: whatever the probe meets, even ENOENT on /proc, is no missing folder.
    if (const int err = ProbeFolder(folder); err != 0)
        return {FolderCheck::Fault::Other, std::strerror(err)};
    return {};
}

std::string SaveNewFile(const std::string& folder, std::span<const std::uint8_t> bytes,
                        bool replace, const std::function<std::string(int)>& candidate) {
    SaveCalls& sys = ActiveSaveCalls();
    Fd dir(sys.openat(AT_FDCWD, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
    if (dir.Get() < 0) Fail("Cannot open the folder", folder, errno);
    RemoveStaleIn(dir.Get());
    const std::string target = folder + "/" + candidate(1);
    {
        Temporary tmp{dir.Get(),
                      Fd(sys.openat(dir.Get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666)), ""};
        if (tmp.fd.Get() >= 0) {
            // Locked too: once linked under a temporary name it must not look stale.
            ::flock(tmp.fd.Get(), LOCK_EX);
            WriteAll(tmp.fd.Get(), bytes, target);
            if (auto placed = PlaceUnnamed(tmp, folder, replace, candidate)) return *placed;
        }
    }
    Temporary tmp{dir.Get(), Fd(), ""};
    OpenNamed(tmp, folder);
    WriteAll(tmp.fd.Get(), bytes, target);
    return PlaceNamed(tmp, folder, replace, candidate);
}

}  // namespace orvane::platform

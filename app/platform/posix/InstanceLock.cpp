#include "app/platform/InstanceLock.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace orvane::platform {
namespace {

std::string Reason(const std::string& path, int err) {
    return path + ": " + std::strerror(err);
}

// Opens `path` as a folder only this user can write: not a symlink, owned by the user, no access
// for the group or others. With `fix`, a folder of the user's own with wider access is narrowed.
int OpenPrivateFolder(const std::string& path, bool fix, std::string& reason) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        reason = Reason(path, errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_uid != ::geteuid()) {
        reason = path + " belongs to another user";
    } else if ((st.st_mode & 077) != 0 && !(fix && ::fchmod(fd, 0700) == 0)) {
        reason = path + " can be written by other users";
    } else {
        return fd;
    }
    ::close(fd);
    return -1;
}

// HOME, else the account's home folder, as for the settings: a window started without HOME
// must still find the lock of the one started with it.
std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    const passwd* account = ::getpwuid(::getuid());
    if (account != nullptr && account->pw_dir != nullptr && account->pw_dir[0] == '/')
        return account->pw_dir;
    return "";
}

std::string CacheFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/') return cache;
    const std::string home = HomeFolder();
    return home.empty() ? "" : home + "/.cache";
}

int OpenLockFolder(std::string& folder, std::string& reason) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        folder = runtime;
        const int fd = OpenPrivateFolder(folder, false, reason);
        if (fd >= 0) return fd;
    }
    const std::string cache = CacheFolder();
    if (cache.empty()) {
        reason = "neither XDG_RUNTIME_DIR, XDG_CACHE_HOME, HOME nor the account's home is usable";
        return -1;
    }
    ::mkdir(cache.c_str(), 0700);
    folder = cache + "/orvane";
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        reason = Reason(folder, errno);
        return -1;
    }
    return OpenPrivateFolder(folder, true, reason);
}

}  // namespace

InstanceLock TakeInstanceLock(const std::string& name) {
    InstanceLock lock;
    std::string folder;
    const int dir = OpenLockFolder(folder, lock.reason);
    if (dir < 0) return lock;
    lock.path = folder + "/" + name;
    // Kept open for the life of the process: closing it would release the lock.
    const int fd = ::openat(dir, name.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    const int openErr = errno;
    ::close(dir);
    struct stat st {};
    if (fd < 0) {
        lock.reason = Reason(lock.path, openErr);
    } else if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        lock.reason = lock.path + " is not a lock file of this user";
    } else if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        lock.state = InstanceLock::State::Taken;
        return lock;
    } else if (errno == EWOULDBLOCK) {
        lock.state = InstanceLock::State::HeldByOther;
    } else {
        lock.reason = Reason(lock.path, errno);
    }
    if (fd >= 0) ::close(fd);
    return lock;
}

}  // namespace orvane::platform

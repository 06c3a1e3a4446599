// Test-only LD_PRELOAD shim for kill.sh, built by that script: every sync of a regular file
// first touches $ORVANE_STALL_MARK and then waits $ORVANE_STALL_MS milliseconds, so a kill lands
// inside a save; with ORVANE_NO_TMPFILE set, unnamed temporary files are refused as on file
// systems without them.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>

namespace {

template <typename F>
F Next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int fsync(int fd) {
    struct stat st {};
    const char* ms = std::getenv("ORVANE_STALL_MS");
    if (ms != nullptr && fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        if (const char* mark = std::getenv("ORVANE_STALL_MARK")) close(creat(mark, 0644));
        usleep(static_cast<useconds_t>(std::atoi(ms)) * 1000);
    }
    return Next<int (*)(int)>("fsync")(fd);
}

extern "C" int openat(int dir, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, mode_t) : 0;
    va_end(args);
    if ((flags & O_TMPFILE) == O_TMPFILE && std::getenv("ORVANE_NO_TMPFILE") != nullptr) {
        errno = EOPNOTSUPP;
        return -1;
    }
    return Next<int (*)(int, const char*, int, ...)>("openat")(dir, path, flags, mode);
}

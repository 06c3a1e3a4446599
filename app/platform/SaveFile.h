#pragma once
// Saving a file so that it appears whole or not at all, whenever the process dies: the bytes go
// to an unnamed temporary file in the target folder that is linked into place once synced, and
// the folder is synced before the save counts as done. Where a file system lacks a call, the
// save falls back step by step (a named, locked temporary; rename without replace; link; an
// exclusive create). Every POSIX call of a save sits in this file.
#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace orvane::platform {

// The system calls a save makes. Tests swap entries to make one fail; nothing else does.
struct SaveCalls {
    int (*openat)(int dir, const char* path, int flags, mode_t mode);
    ssize_t (*write)(int fd, const void* data, std::size_t size);
    int (*fsync)(int fd);
    int (*linkat)(int fromDir, const char* from, int toDir, const char* to, int flags);
    int (*renameat2)(int fromDir, const char* from, int toDir, const char* to, unsigned flags);
};

// The calls in use; DefaultSaveCalls() are the real ones.
SaveCalls& ActiveSaveCalls();
SaveCalls DefaultSaveCalls();

// Writes `bytes` into `folder` and returns the name it got. With `replace` the file
// `candidate(1)` is replaced atomically; without it no existing file is ever replaced and the
// first free name of candidate(1), candidate(2), ... is taken. Throws RunError with the path and
// the system's reason; then no new file is left in the folder and an earlier file of that name
// is as it was.
std::string SaveNewFile(const std::string& folder, std::span<const std::uint8_t> bytes,
                        bool replace, const std::function<std::string(int)>& candidate);

// Removes the named temporaries that saves of processes no longer running left in `folder`.
// Never touches the temporary of a running save (its writer holds a lock on it).
void RemoveStaleTemporaries(const std::string& folder);

// 0 when `folder` is an existing folder this process can create files in, else an errno value
// (ENOTDIR when it is not a folder).
int FolderUsable(const std::string& folder);

}  // namespace orvane::platform

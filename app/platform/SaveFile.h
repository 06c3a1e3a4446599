#pragma once
// Saving a file so that it appears whole or not at all, whenever the process dies. On Linux the
// bytes go to an unnamed temporary file in the target folder that is linked into place once
// synced, and the folder is synced before the save counts as done; where a file system lacks a
// call, the save falls back step by step (a named, locked temporary; rename without replace;
// link; an exclusive create). On Windows the bytes go to a named temporary that no other process
// may delete while it is written, flushed, then moved into place with a write-through move.
// Every system call of a save sits behind this header. Paths and names are UTF-8.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#ifndef _WIN32
#include <sys/types.h>
#endif

namespace orvane::platform {

// The system calls a save makes. Tests swap entries to make one fail; nothing else does.
#ifndef _WIN32
struct SaveCalls {
    int (*openat)(int dir, const char* path, int flags, mode_t mode);
    ssize_t (*write)(int fd, const void* data, std::size_t size);
    int (*fsync)(int fd);
    int (*linkat)(int fromDir, const char* from, int toDir, const char* to, int flags);
    int (*renameat2)(int fromDir, const char* from, int toDir, const char* to, unsigned flags);
};
#else
// CreateFileW, WriteFile, FlushFileBuffers and MoveFileExW, with the arguments a save varies; a
// failing call returns false (or a null handle) with the error set for GetLastError.
struct SaveCalls {
    void* (*create)(const wchar_t* path, unsigned long access, unsigned long share,
                    unsigned long disposition);
    bool (*write)(void* file, const void* data, unsigned long size, unsigned long* written);
    bool (*flush)(void* file);
    bool (*move)(const wchar_t* from, const wchar_t* to, unsigned long flags);
};
#endif

// The calls in use; DefaultSaveCalls() are the real ones.
SaveCalls& ActiveSaveCalls();
SaveCalls DefaultSaveCalls();

// Writes `bytes` into `folder` and returns the name it got. With `replace` the file
// `candidate(1)` is replaced atomically; without it no existing file is ever replaced and the
// first free name of candidate(1), candidate(2), ... is taken. Throws RunError with the path and
// the system's reason; then no new file is left in the folder and an earlier file of that name
// is as it was.
// Each save first removes the named temporaries that saves of processes no longer running left
// in the folder, and the empty file such a save had taken a name with, should it die before
// putting the map there (the last-resort way to place a file). It never touches the files of a
// running save (it holds them locked or open), nor an empty file no save took a name with.
std::string SaveNewFile(const std::string& folder, std::span<const std::uint8_t> bytes,
                        bool replace, const std::function<std::string(int)>& candidate);

// Whether maps can be saved in a folder.
struct FolderCheck {
    enum class Fault { None, Missing, NotAFolder, Other };
    Fault fault = Fault::None;
    std::string reason;  // the system's reason, for Other
};

// Fault::None when `folder` is an existing folder this process can create files in: a file is
// made there and removed, since permissions alone say yes to root even on /proc.
FolderCheck CheckFolder(const std::string& folder);

}  // namespace orvane::platform

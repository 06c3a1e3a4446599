#pragma once
// The window's single-instance lock, held for the life of the process. On Linux a locked file,
// kept where only the user can write and opened without following symlinks, so another user
// cannot redirect it; on Windows a named mutex in the user's session.
#include <string>

namespace orvane::platform {

struct InstanceLock {
    enum class State {
        Taken,        // this process holds the lock
        HeldByOther,  // another instance runs: end at once
        Unavailable,  // no safe place for a lock: run without one
    };
    State state = State::Unavailable;
    std::string path;    // what is held: the lock file, or the mutex's name (Local\NAME)
    std::string reason;  // why it is unavailable
};

// Takes the lock `name` for the life of the process. Linux: in XDG_RUNTIME_DIR when it is the
// user's own with mode 0700, else in a private folder of the user's cache ($XDG_CACHE_HOME or
// ~/.cache, then "orvane", made 0700). Windows: the mutex Local\`name`.
InstanceLock TakeInstanceLock(const std::string& name);

}  // namespace orvane::platform

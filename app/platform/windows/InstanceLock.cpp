#include "app/platform/InstanceLock.h"

#include <windows.h>

#include "app/platform/windows/Wide.h"

// A named mutex in the user's session ("Local\"), not a lock file: the system drops it when the
// process ends however it ends, there is no file to leave behind or to redirect through a link,
// and another logged-on user's session has a namespace of its own. The mutex exists while its
// creator runs; owning it is not needed.
namespace orvane::platform {

InstanceLock TakeInstanceLock(const std::string& name) {
    InstanceLock lock;
    lock.path = "Local\\" + name;
    const std::wstring wide = Widen(lock.path);
    const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, wide.c_str());
    const DWORD err = ::GetLastError();
    if (mutex == nullptr) {
        // Made by another user with no access for us: not ours to wait for.
        lock.reason = lock.path + ": " + SystemReason(err);
        return lock;
    }
    if (err == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mutex);
        lock.state = InstanceLock::State::HeldByOther;
        return lock;
    }
    // The handle stays open for the life of the process: closing it would release the lock.
    lock.state = InstanceLock::State::Taken;
    return lock;
}

}  // namespace orvane::platform

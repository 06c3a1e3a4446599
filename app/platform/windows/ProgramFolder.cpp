#include "app/platform/ProgramFolder.h"

#include <windows.h>

#include <string>

#include "app/platform/windows/Wide.h"
#include "core/RunError.h"

namespace orvane {

std::filesystem::path ProgramFolder() {
    // MAX_PATH is no limit for a program started from a long path: grow until the name fits.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (n == 0) {
            throw RunError("Cannot find the program's folder: " +
                           platform::SystemReason(::GetLastError()));
        }
        if (n < name.size()) {
            name.resize(n);
            return std::filesystem::path(name).parent_path();
        }
        if (name.size() >= 32768) throw RunError("Cannot find the program's folder: too long");
        name.resize(name.size() * 2);
    }
}

}  // namespace orvane

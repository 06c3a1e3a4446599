#include "app/window/DesktopOpen.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>  // needs windows.h first
// clang-format on

#include "app/platform/windows/Wide.h"

namespace orvane {

// The shell opens a map in the image viewer the player chose, a folder in Explorer. FLTK has
// initialised COM on this thread, as shell extensions need. ShellExecuteW returns once the
// program is started, and shows the system's own dialog when no program is set for the file.
void OpenWithDesktop(const std::string& path, std::function<void(const std::string&)> report) {
    const std::wstring wide = platform::Widen(path);
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return;
    const DWORD err = ::GetLastError();
    std::string reason;
    if (result == SE_ERR_NOASSOC)
        reason = "no program is set to open it";
    else if (err != 0)
        reason = platform::SystemReason(err);
    else
        reason = "the shell gave error " + std::to_string(result);
    report("Could not open " + path + ": " + reason + "\r\n");
}

}  // namespace orvane

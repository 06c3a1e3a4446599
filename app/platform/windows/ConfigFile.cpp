#include "app/platform/ConfigFile.h"

#include <shlobj.h>
#include <windows.h>

#include "app/platform/windows/Wide.h"
#include "core/RunError.h"

namespace orvane {
namespace fs = std::filesystem;

// The roaming application data folder, so the settings follow the player between machines.
fs::path SettingsFolder() {
    wchar_t* folder = nullptr;
    const HRESULT result = ::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder);
    fs::path path;
    if (SUCCEEDED(result) && folder != nullptr && *folder != L'\0')
        path = fs::path(folder) / L"Orvane";
    ::CoTaskMemFree(folder);
    return path;
}

std::string NoSettingsFolderReason() {
    return "Windows names no application data folder (%APPDATA%) for this user";
}

std::optional<std::string> ReadSmallFile(const fs::path& file, std::size_t maxBytes) {
    // FILE_FLAG_OPEN_REPARSE_POINT opens a symbolic link itself, which is then refused.
    const HANDLE handle = ::CreateFileW(
        file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return std::nullopt;
        throw RunError(platform::SystemReason(err));
    }
    struct Closer {
        HANDLE h;
        ~Closer() { ::CloseHandle(h); }
    } closer{handle};
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info))
        throw RunError(platform::SystemReason(::GetLastError()));
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        throw RunError("it is a symbolic link");
    std::string text;
    char buffer[4096];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(handle, buffer, sizeof buffer, &n, nullptr))
            throw RunError(platform::SystemReason(::GetLastError()));
        if (n == 0) break;
        text.append(buffer, n);
        if (text.size() > maxBytes)
            throw RunError("it is larger than " + std::to_string(maxBytes) + " bytes");
    }
    return text;
}

}  // namespace orvane

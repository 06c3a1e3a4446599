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

namespace {

struct Closer {
    HANDLE h;
    ~Closer() { ::CloseHandle(h); }
};

bool IsLink(const fs::path& file) {
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool NotFound(DWORD err) {
    return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND;
}

constexpr const char* kDanglingLink = "it is a symbolic link to a file that does not exist";

}  // namespace

std::optional<std::string> ReadSmallFile(const fs::path& file, std::size_t maxBytes) {
    // Opened without FILE_FLAG_OPEN_REPARSE_POINT, so a symbolic link is followed.
    const HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD err = ::GetLastError();
        if (NotFound(err) && IsLink(file)) throw RunError(kDanglingLink);
        if (NotFound(err)) return std::nullopt;
        throw RunError(platform::SystemReason(err));
    }
    const Closer closer{handle};
    // A pipe may never answer and a device never end: only a file on a disk is read.
    switch (::GetFileType(handle)) {
        case FILE_TYPE_DISK:
            break;
        case FILE_TYPE_PIPE:
            throw RunError("it is a named pipe, not a regular file");
        case FILE_TYPE_CHAR:
            throw RunError("it is a device, not a regular file");
        default:
            throw RunError("it is not a regular file");
    }
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

fs::path FileBehindLink(const fs::path& file) {
    if (!IsLink(file)) return file;
    // The system resolves every link on the way; a link to nothing is refused, as its target
    // would have to be read from the reparse data.
    const HANDLE handle =
        ::CreateFileW(file.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD err = ::GetLastError();
        throw RunError(NotFound(err) ? kDanglingLink : platform::SystemReason(err));
    }
    const Closer closer{handle};
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) throw RunError(platform::SystemReason(::GetLastError()));
        const bool fits = n < path.size();
        path.resize(n);  // too small: n is the size needed
        if (fits) break;
    }
    // "\\?\C:\..." and "\\?\UNC\server\..." back to the names every call takes.
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + path.substr(8);
    if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
    return path;
}

}  // namespace orvane

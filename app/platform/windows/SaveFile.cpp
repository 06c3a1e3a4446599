#include "app/platform/SaveFile.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <string_view>

#include "app/platform/windows/Wide.h"
#include "core/RunError.h"

// Windows has no unnamed files: the bytes go to a named temporary in the target folder, opened
// without FILE_SHARE_DELETE so that no other process can delete or rename it while it is written,
// flushed, closed, and moved to its name. A move without MOVEFILE_REPLACE_EXISTING refuses an
// existing name, so two saves never take one name; with it, the old file is replaced in one step.
// The "w" in a temporary's name keeps a Linux build's cleanup, which reads the number as a Linux
// process id, away from it (both may save into one folder of a game run under Wine).
namespace orvane::platform {
namespace {

constexpr std::wstring_view kTempPrefix = L".orvane-w";
constexpr std::wstring_view kTempSuffix = L".tmp";
constexpr DWORD kMaxChunk = 1u << 30;

[[noreturn]] void Fail(const std::string& what, const std::string& path, DWORD err) {
    throw RunError(what + " " + path + ": " + SystemReason(err));
}

bool EndsWithSeparator(std::wstring_view path) {
    return !path.empty() && (path.back() == L'\\' || path.back() == L'/' || path.back() == L':');
}

std::wstring Join(const std::wstring& folder, std::wstring_view name) {
    return EndsWithSeparator(folder) ? folder + std::wstring(name)
                                     : folder + L'\\' + std::wstring(name);
}

// The path as a message shows it.
std::string JoinText(const std::string& folder, const std::string& name) {
    const bool separated =
        !folder.empty() && (folder.back() == '\\' || folder.back() == '/' || folder.back() == ':');
    return separated ? folder + name : folder + "\\" + name;
}

std::wstring TempName() {
    // Saves may run on a thread of their own.
    static std::atomic<unsigned> counter = 0;
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    wchar_t text[96];
    std::swprintf(text, sizeof text / sizeof text[0], L"%ls%lu-%llx%x%ls", kTempPrefix.data(),
                  ::GetCurrentProcessId(), static_cast<unsigned long long>(now.QuadPart) & 0xffffff,
                  ++counter, kTempSuffix.data());
    return text;
}

// A temporary file in the folder, closed and deleted unless it was moved into place.
struct Temporary {
    HANDLE file = nullptr;
    std::wstring path;  // empty once placed
    void Close() {
        if (file != nullptr) ::CloseHandle(file);
        file = nullptr;
    }
    ~Temporary() {
        Close();  // its writer's handle would refuse the delete
        if (!path.empty()) ::DeleteFileW(path.c_str());
    }
};

void OpenTemporary(Temporary& tmp, const std::wstring& dir, const std::string& folder) {
    for (int attempt = 0;; ++attempt) {
        const std::wstring path = Join(dir, TempName());
        // Others may read it, but neither write, rename nor delete it while it is open.
        void* file =
            ActiveSaveCalls().create(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW);
        if (file != nullptr) {
            tmp.file = file;
            tmp.path = path;
            return;
        }
        const DWORD err = ::GetLastError();
        if ((err == ERROR_FILE_EXISTS || err == ERROR_ALREADY_EXISTS) && attempt < 100) continue;
        Fail("Cannot write in", folder, err);
    }
}

void WriteAll(HANDLE file, std::span<const std::uint8_t> bytes, const std::string& path) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kMaxChunk));
        unsigned long written = 0;
        if (!ActiveSaveCalls().write(file, bytes.data() + done, chunk, &written))
            Fail("Cannot write", path, ::GetLastError());
        if (written == 0) Fail("Cannot write", path, ERROR_HANDLE_DISK_FULL);
        done += written;
    }
    if (!ActiveSaveCalls().flush(file)) Fail("Cannot write", path, ::GetLastError());
}

// Moves the written, closed temporary to its name; MOVEFILE_WRITE_THROUGH returns once the move
// is on the disk.
std::string Place(Temporary& tmp, const std::wstring& dir, const std::string& folder, bool replace,
                  const std::function<std::string(int)>& candidate) {
    if (replace) {
        const std::string name = candidate(1);
        if (!ActiveSaveCalls().move(tmp.path.c_str(), Join(dir, Widen(name)).c_str(),
                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            Fail("Cannot save", JoinText(folder, name), ::GetLastError());
        tmp.path.clear();
        return name;
    }
    for (int n = 1;; ++n) {
        const std::string name = candidate(n);
        if (ActiveSaveCalls().move(tmp.path.c_str(), Join(dir, Widen(name)).c_str(),
                                   MOVEFILE_WRITE_THROUGH)) {
            tmp.path.clear();
            return name;
        }
        const DWORD err = ::GetLastError();
        if ((err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS) && n < 100000) continue;
        Fail("Cannot save", JoinText(folder, name), err);
    }
}

// Whether process `pid` still runs; a process this one may not look at counts as running.
bool ProcessRunning(DWORD pid) {
    if (pid == ::GetCurrentProcessId()) return true;
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr) return ::GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool running = !::GetExitCodeProcess(process, &code) || code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

// The writer's process id from a temporary's name; 0 when the name is not one of ours.
DWORD TemporaryOwner(std::wstring_view name) {
    if (name.size() <= kTempPrefix.size() + kTempSuffix.size() || !name.starts_with(kTempPrefix) ||
        !name.ends_with(kTempSuffix))
        return 0;
    unsigned long long pid = 0;
    std::size_t i = kTempPrefix.size();
    for (; i < name.size() && name[i] >= L'0' && name[i] <= L'9' && pid <= 0xffffffffull; ++i)
        pid = pid * 10 + static_cast<unsigned>(name[i] - L'0');
    if (i == kTempPrefix.size() || i >= name.size() || name[i] != L'-' || pid > 0xffffffffull)
        return 0;
    return static_cast<DWORD>(pid);
}

void RemoveStaleIn(const std::wstring& dir) {
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = Join(dir, std::wstring(kTempPrefix) + L"*.tmp");
    const HANDLE list = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (list == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        const DWORD owner = TemporaryOwner(found.cFileName);
        // A writer still holding the file open refuses the delete, wherever it runs.
        if (owner != 0 && !ProcessRunning(owner)) ::DeleteFileW(Join(dir, found.cFileName).c_str());
    } while (::FindNextFileW(list, &found));
    ::FindClose(list);
}

}  // namespace

SaveCalls DefaultSaveCalls() {
    return {
        [](const wchar_t* path, unsigned long access, unsigned long share,
           unsigned long disposition) -> void* {
            const HANDLE file = ::CreateFileW(path, access, share, nullptr, disposition,
                                              FILE_ATTRIBUTE_NORMAL, nullptr);
            return file == INVALID_HANDLE_VALUE ? nullptr : file;
        },
        [](void* file, const void* data, unsigned long size, unsigned long* written) {
            return ::WriteFile(file, data, size, written, nullptr) != FALSE;
        },
        [](void* file) { return ::FlushFileBuffers(file) != FALSE; },
        [](const wchar_t* from, const wchar_t* to, unsigned long flags) {
            return ::MoveFileExW(from, to, flags) != FALSE;
        },
    };
}

SaveCalls& ActiveSaveCalls() {
    static SaveCalls calls = DefaultSaveCalls();
    return calls;
}

FolderCheck CheckFolder(const std::string& folder) {
    const std::wstring dir = Widen(folder);
    const DWORD attributes = ::GetFileAttributesW(dir.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD err = ::GetLastError();
        const auto fault = err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND
                               ? FolderCheck::Fault::Missing
                               : FolderCheck::Fault::Other;
        return {fault, SystemReason(err)};
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {FolderCheck::Fault::NotAFolder, SystemReason(ERROR_DIRECTORY)};
    // Only a file made there tells: permissions are access lists, and the medium may be
    // read-only. The probe goes when its handle closes, even if this process is killed.
    const HANDLE probe =
        ::CreateFileW(Join(dir, TempName()).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE)
        return {FolderCheck::Fault::Other, SystemReason(::GetLastError())};
    ::CloseHandle(probe);
    return {};
}

std::string SaveNewFile(const std::string& folder, std::span<const std::uint8_t> bytes,
                        bool replace, const std::function<std::string(int)>& candidate) {
    const std::wstring dir = Widen(folder);
    const DWORD attributes = ::GetFileAttributesW(dir.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        Fail("Cannot open the folder", folder, ::GetLastError());
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        Fail("Cannot open the folder", folder, ERROR_DIRECTORY);
    RemoveStaleIn(dir);
    Temporary tmp;
    OpenTemporary(tmp, dir, folder);
    WriteAll(tmp.file, bytes, JoinText(folder, candidate(1)));
    tmp.Close();  // a file open without FILE_SHARE_DELETE cannot be moved
    return Place(tmp, dir, folder, replace, candidate);
}

}  // namespace orvane::platform

#include "app/platform/Trash.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "app/platform/PathText.h"
#include "app/platform/windows/Wide.h"

namespace orvane::platform {
namespace {
namespace fs = std::filesystem;

// The Recycle Bin's "Deleted from" and "Date deleted" columns.
constexpr GUID kDisplaced = {
    0x9b174b33, 0x40ff, 0x11d2, {0xa2, 0x7e, 0x00, 0xc0, 0x4f, 0xc3, 0x08, 0x71}};
constexpr DWORD kDeletedFrom = 2;
constexpr DWORD kDateDeleted = 3;
// Wine's Recycle Bin menu knows no verb names, only its own command ids; this is "Restore".
constexpr UINT kWineRestoreCommand = 301;

[[noreturn]] void Fail(const std::string& what, const fs::path& path, const std::string& reason) {
    throw TrashError(what + " " + PathText(path) + ": " + reason);
}

// A COM interface pointer, released when it goes out of scope.
template <class T>
class Com {
  public:
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() {
        if (p_ != nullptr) p_->Release();
    }
    void** Put() { return reinterpret_cast<void**>(&p_); }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }

  private:
    T* p_ = nullptr;
};

struct IdFree {
    void operator()(ITEMIDLIST* id) const { ::CoTaskMemFree(id); }
};
using Id = std::unique_ptr<ITEMIDLIST, IdFree>;

// COM for this thread while the shell is used; a thread that has it already keeps its own.
class ComScope {
  public:
    ComScope()
        : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }

  private:
    HRESULT result_;
};

// Older shell extensions answer in the ANSI code page.
std::wstring FromAnsi(const char* text) {
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n <= 1) return {};
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), n);
    out.pop_back();
    return out;
}

std::wstring Text(STRRET& text, const ITEMIDLIST* id) {
    std::wstring out;
    if (text.uType == STRRET_WSTR && text.pOleStr != nullptr) {
        out = text.pOleStr;
        ::CoTaskMemFree(text.pOleStr);
    } else if (text.uType == STRRET_CSTR) {
        out = FromAnsi(text.cStr);
    } else if (text.uType == STRRET_OFFSET && id != nullptr) {
        out = FromAnsi(reinterpret_cast<const char*>(id) + text.uOffset);
    }
    return out;
}

bool SameText(const std::wstring& a, const std::wstring& b) {
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring WithoutTrailingSlash(std::wstring path) {
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return path;
}

bool UnderWine() {
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// The name that tells one deleted item from another. Windows gives each its own file in the bin
// ("C:\$Recycle.Bin\...\$R2X9K1.png") as its parsing name. Wine names every item by its
// original name only, and its IDs carry stray bytes, so there the name is the one the item has in
// the host's trash, which ends Wine's ID: a size, a zero, a WIN32_FIND_DATAW, the name.
std::wstring BinName(IShellFolder2& folder, const ITEMIDLIST* id, bool wine) {
    if (!wine) {
        STRRET text{};
        return SUCCEEDED(folder.GetDisplayNameOf(id, SHGDN_FORPARSING, &text)) ? Text(text, id)
                                                                               : L"";
    }
    constexpr std::size_t kNameAt = sizeof(USHORT) + 1 + sizeof(WIN32_FIND_DATAW);
    const std::size_t size = id->mkid.cb;
    if (size < kNameAt + sizeof(wchar_t)) return L"";
    std::wstring name((size - kNameAt) / sizeof(wchar_t), L'\0');
    std::memcpy(name.data(), reinterpret_cast<const char*>(id) + kNameAt,
                name.size() * sizeof(wchar_t));
    name.resize(std::wcslen(name.c_str()));
    return name;
}

// A deleted item of the original file: the bin's ID and name of it, when it was deleted (0 when
// the bin does not say).
struct BinItem {
    std::vector<unsigned char> id;
    std::string name;
    double deleted = 0;
};

class RecycleBin {
  public:
    RecycleBin() {
        Com<IShellFolder> desktop;
        ITEMIDLIST* binId = nullptr;
        if (FAILED(::SHGetDesktopFolder(reinterpret_cast<IShellFolder**>(desktop.Put()))) ||
            FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &binId)))
            throw TrashError("Cannot open the Recycle Bin");
        const Id owned(binId);
        if (FAILED(desktop->BindToObject(binId, nullptr, IID_IShellFolder2, folder_.Put())))
            throw TrashError("Cannot open the Recycle Bin");
        SHCOLUMNID column{};
        for (UINT i = 0; i < 64 && SUCCEEDED(folder_->MapColumnToSCID(i, &column)); ++i) {
            if (column.fmtid == kDisplaced && column.pid == kDeletedFrom) fromColumn_ = i;
        }
    }

    // The items deleted from `file`, as the bin lists them now.
    std::vector<BinItem> ItemsOf(const fs::path& file) {
        std::vector<BinItem> items;
        Com<IEnumIDList> list;
        if (folder_->EnumObjects(nullptr,
                                 SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                                 reinterpret_cast<IEnumIDList**>(list.Put())) != S_OK)
            return items;
        ITEMIDLIST* raw = nullptr;
        while (list->Next(1, &raw, nullptr) == S_OK) {
            const Id id(raw);
            if (!IsOf(id.get(), file)) continue;
            const auto* bytes = reinterpret_cast<const unsigned char*>(id.get());
            BinItem item{{bytes, bytes + ::ILGetSize(id.get())},
                         Narrow(BinName(*folder_.Get(), id.get(), wine_)),
                         0};
            VARIANT date;
            ::VariantInit(&date);
            const SHCOLUMNID dateColumn{kDisplaced, kDateDeleted};
            if (SUCCEEDED(folder_->GetDetailsEx(id.get(), &dateColumn, &date)) &&
                date.vt == VT_DATE)
                item.deleted = date.date;
            ::VariantClear(&date);
            items.push_back(std::move(item));
        }
        return items;
    }

    // Asks the bin to put the item back; whether it did shows at the original place.
    void Restore(const std::vector<unsigned char>& idBytes) {
        const auto* id = reinterpret_cast<const ITEMIDLIST*>(idBytes.data());
        Com<IContextMenu> menu;
        if (FAILED(folder_->GetUIObjectOf(nullptr, 1, &id, IID_IContextMenu, nullptr, menu.Put())))
            return;
        const HMENU popup = ::CreatePopupMenu();
        // Windows knows the "undelete" verb; Wine ignores verb names and takes its command id.
        menu->QueryContextMenu(popup, 0, wine_ ? 0 : 1, 0x7FFF, CMF_NORMAL);
        CMINVOKECOMMANDINFO invoke{};
        invoke.cbSize = sizeof invoke;
        invoke.fMask = CMIC_MASK_FLAG_NO_UI;
        invoke.nShow = SW_HIDE;
        invoke.lpVerb = "undelete";
        if (wine_) {
            // Only when the menu holds that id: a different Wine must not get another command.
            if (::GetMenuState(popup, kWineRestoreCommand, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
                ::DestroyMenu(popup);
                return;
            }
            invoke.lpVerb = MAKEINTRESOURCEA(kWineRestoreCommand);
        }
        menu->InvokeCommand(&invoke);
        ::DestroyMenu(popup);
    }

  private:
    bool IsOf(const ITEMIDLIST* id, const fs::path& file) {
        STRRET text{};
        if (FAILED(folder_->GetDisplayNameOf(id, SHGDN_INFOLDER, &text))) return false;
        const std::wstring name = Text(text, id);
        // Explorer may hide known extensions; the parsing name keeps the original's extension.
        if (!SameText(name, file.filename().native())) {
            if (!SameText(name, file.stem().native())) return false;
            STRRET parsing{};
            if (FAILED(
                    folder_->GetDisplayNameOf(id, SHGDN_INFOLDER | SHGDN_FORPARSING, &parsing)) ||
                !SameText(fs::path(Text(parsing, id)).extension().native(),
                          file.extension().native()))
                return false;
        }
        SHELLDETAILS details{};
        if (FAILED(folder_->GetDetailsOf(id, fromColumn_, &details))) return false;
        return SameText(WithoutTrailingSlash(Text(details.str, id)),
                        WithoutTrailingSlash(file.parent_path().native()));
    }

    Com<IShellFolder2> folder_;
    UINT fromColumn_ = 1;
    bool wine_ = UnderWine();
};

bool Exists(const fs::path& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

TrashedFile MoveToTrash(const fs::path& file) {
    std::error_code ec;
    const fs::path original = fs::absolute(file, ec).lexically_normal();
    if (ec) Fail("Cannot move to the Recycle Bin", file, ec.message());
    if (!Exists(original))
        Fail("Cannot move to the Recycle Bin", original, SystemReason(::GetLastError()));

    const ComScope com;
    RecycleBin bin;
    const std::vector<BinItem> before = bin.ItemsOf(original);

    std::wstring from = original.native();
    from.push_back(L'\0');  // the list ends with two NULs
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    // No silent deletion: where the bin cannot take the file (a drive without one, a file too
    // large), the shell asks before deleting it for good instead of doing so quietly.
    op.fFlags =
        FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_WANTNUKEWARNING;
    const int result = ::SHFileOperationW(&op);
    if (result != 0 || op.fAnyOperationsAborted)
        Fail("Cannot move to the Recycle Bin", original,
             result != 0 ? "the shell failed (code " + std::to_string(result) + ")" : "cancelled");
    if (Exists(original)) Fail("Cannot move to the Recycle Bin", original, "it is still there");

    TrashedFile item{original, {}, {}, {}};
    double newest = -1;
    for (const BinItem& now : bin.ItemsOf(original)) {
        bool old = false;
        for (const BinItem& was : before) old = old || was.name == now.name;
        if (!old && !now.name.empty() && now.deleted >= newest) {
            newest = now.deleted;
            item.binName = now.name;
        }
    }
    return item;
}

void RestoreFromTrash(const TrashedFile& item) {
    if (Exists(item.original))
        throw TrashError("Cannot put back " + PathText(item.original) +
                         ": another file now has its name");
    const ComScope com;
    RecycleBin bin;
    std::vector<unsigned char> id;
    double newest = -1;
    for (BinItem& in : bin.ItemsOf(item.original)) {
        if (!item.binName.empty() ? in.name == item.binName : in.deleted >= newest) {
            newest = in.deleted;
            id = std::move(in.id);
        }
    }
    if (id.empty())
        throw TrashError(PathText(item.original.filename()) + " is no longer in the Recycle Bin");
    bin.Restore(id);
    if (!Exists(item.original))
        Fail("Cannot put back", item.original, "the Recycle Bin did not restore it");
}

}  // namespace orvane::platform

#include "app/platform/DecimalSeparator.h"

#include <windows.h>

#include <string_view>

#include "app/platform/windows/Wide.h"

namespace orvane {

// Windows keeps the user's number format apart from the C library's locale, which stays "C",
// so nothing else changes. The player may type any separator in the regional settings: one a
// file name cannot hold (or none) gives ".".
std::string UserDecimalSeparator() {
    wchar_t text[8] = {};
    const int n = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text,
                                    static_cast<int>(sizeof text / sizeof text[0]));
    if (n <= 1) return ".";
    const std::wstring_view separator(text, static_cast<std::size_t>(n - 1));
    for (const wchar_t c : separator)
        if (c < 0x20 || std::wstring_view(L"*|\\\":<>?/").find(c) != std::wstring_view::npos)
            return ".";
    return platform::Narrow(separator);
}

}  // namespace orvane

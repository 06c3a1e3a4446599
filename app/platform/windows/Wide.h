#pragma once
// Text at the Windows boundary: the program keeps UTF-8 everywhere and meets the system's UTF-16
// only in the wide (W) calls, converted here. Ill-formed input (bytes that are not UTF-8, lone
// surrogates) becomes U+FFFD rather than an error, as a name must still be shown or refused by
// the system with its own reason.
#include <string>
#include <string_view>

namespace orvane::platform {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The system's text for a Windows error code (GetLastError), in UTF-8, without the trailing
// line break; "error N" when the system has none.
std::string SystemReason(unsigned long error);

}  // namespace orvane::platform

#include "app/cli/Arguments.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>  // needs windows.h first
// clang-format on

#include <cstdlib>

#include "app/platform/windows/Wide.h"

namespace orvane::cli {
namespace {

UINT gConsoleCodePage = 0;  // the console's own, put back at exit

extern "C" void RestoreConsole() {
    ::SetConsoleOutputCP(gConsoleCodePage);
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) arguments.push_back(platform::Narrow(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

// Only a console needs it: output into a pipe or a file is the UTF-8 bytes as written.
void UseUtf8Console() {
    gConsoleCodePage = ::GetConsoleOutputCP();
    if (gConsoleCodePage == 0 || gConsoleCodePage == CP_UTF8) return;
    // The code page belongs to the console, which outlives this program.
    if (::SetConsoleOutputCP(CP_UTF8)) std::atexit(RestoreConsole);
}

}  // namespace orvane::cli

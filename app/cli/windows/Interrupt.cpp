#include "app/cli/Interrupt.h"

#include <windows.h>

#include <atomic>

namespace orvane::cli {
namespace {

constexpr int kCtrlC = 130;     // as SIGINT on Linux
constexpr int kAskedEnd = 143;  // as SIGTERM: Ctrl+Break, or the console, session or system ends

std::atomic<int> gStatus = 0;

// Runs on a thread of its own, which the system starts for each event.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    int expected = 0;
    gStatus.compare_exchange_strong(expected, event == CTRL_C_EVENT ? kCtrlC : kAskedEnd);
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;  // the run sees it
    // The system ends the process as soon as this returns (or after about five seconds): wait
    // here while the run saves the map being made and main returns, which ends the process
    // with its own status.
    ::Sleep(INFINITE);
    return TRUE;
}

}  // namespace

void WatchInterrupts() {
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

int InterruptStatus() {
    return gStatus.load();
}

}  // namespace orvane::cli

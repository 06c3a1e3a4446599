#include "app/cli/Interrupt.h"

#include <csignal>

namespace orvane::cli {
namespace {

// The signal that asked the run to stop, 0 while none did.
volatile std::sig_atomic_t gInterrupted = 0;
extern "C" void OnInterrupt(int signal) {
    gInterrupted = signal;
}

}  // namespace

void WatchInterrupts() {
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
}

int InterruptStatus() {
    const int signal = gInterrupted;
    return signal == 0 ? 0 : 128 + signal;
}

}  // namespace orvane::cli

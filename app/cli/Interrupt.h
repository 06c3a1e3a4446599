#pragma once
// The run stops after the map being made is saved when the user interrupts it: SIGINT and
// SIGTERM on Linux; Ctrl+C, Ctrl+Break and closing the console (or logging off, or shutting
// down) on Windows.
namespace orvane::cli {

// Starts listening for interruptions; call once, before the run.
void WatchInterrupts();

// 0 while nothing asked the run to stop, else the exit status to end with: 128 + the signal
// number on Linux (130 SIGINT, 143 SIGTERM); on Windows 130 for Ctrl+C and 143 for Ctrl+Break or
// a closing console, session or system.
int InterruptStatus();

}  // namespace orvane::cli

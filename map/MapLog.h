#pragma once
// Where the stages report: log lines for the window's log box (or stderr), and the
// diagnostic that the piece painting shows when it traps an error.
#include <string>

namespace orvane {

class MapLog {
  public:
    virtual ~MapLog() = default;
    // Appends text to the log as it stands (the caller supplies any line break).
    virtual void Append(const std::string& text) = 0;
    // A trapped error's diagnostic: a message box in the window, a log line elsewhere.
    // Must return; painting goes on afterwards.
    virtual void Diagnostic(const std::string& message) = 0;
};

// A log that drops everything: tests and benchmarks.
class NullLog : public MapLog {
  public:
    void Append(const std::string&) override {}
    void Diagnostic(const std::string&) override {}
};

// Milliseconds from a steady clock; only differences are used.
long long TickCount();

}  // namespace orvane

#include "app/window/DesktopOpen.h"

#include <FL/Fl.H>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <list>

extern char** environ;

namespace orvane {
namespace {

constexpr double kPollSeconds = 0.25;

// A started xdg-open, watched from the event loop until it ends.
struct Opening {
    pid_t pid;
    std::string path;
    std::function<void(const std::string&)> report;
};

// Owned here, not by the timeouts, so openings still running at exit are freed.
std::list<Opening> gOpenings;

void Poll(void* data) {
    auto* opening = static_cast<Opening*>(data);
    int status = 0;
    const pid_t done = ::waitpid(opening->pid, &status, WNOHANG);
    if (done == 0) {
        Fl::repeat_timeout(kPollSeconds, Poll, data);
        return;
    }
    const bool failed = done > 0 && !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    if (failed) {
        const std::string how =
            WIFEXITED(status) ? "xdg-open ended with status " + std::to_string(WEXITSTATUS(status))
                              : std::string("xdg-open was stopped by a signal");
        opening->report("Could not open " + opening->path + ": " + how + "\r\n");
    }
    gOpenings.remove_if([opening](const Opening& o) { return &o == opening; });
}

}  // namespace

void OpenWithDesktop(const std::string& path, std::function<void(const std::string&)> report) {
    std::string program = "xdg-open";
    std::string argument = path;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = 0;
    const int err = ::posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ);
    if (err != 0) {
        report("Could not open " + path + ": xdg-open cannot be started (" + std::strerror(err) +
               ")\r\n");
        return;
    }
    gOpenings.push_back(Opening{pid, path, std::move(report)});
    Fl::add_timeout(kPollSeconds, Poll, &gOpenings.back());
}

}  // namespace orvane

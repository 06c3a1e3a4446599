// orvane: the window program. A second instance ends at once.
#include <FL/Fl.H>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/platform/DecimalSeparator.h"
#include "app/window/MainWindow.h"

namespace {

// Holds an exclusive lock for the life of the process; false when another instance has it.
bool TakeInstanceLock() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string path = (runtime && *runtime ? std::string(runtime) : std::string("/tmp")) +
                             "/orvane-" + std::to_string(::getuid()) + ".lock";
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return true;  // no lock file possible: do not stop the user
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--version") {
            std::printf("orvane %s\n", ORVANE_VERSION);
            return 0;
        }
        if (arg == "--help") {
            std::puts(
                "Usage: orvane [--version]\nOpens the map window; orvane-cli makes maps "
                "from the command line.");
            return 0;
        }
        std::fprintf(stderr, "orvane: unknown argument %s (try --help)\n", arg.c_str());
        return 2;
    }
    if (!TakeInstanceLock()) return 0;
    orvane::MainWindow window(orvane::UserDecimalSeparator());
    window.Show();
    return Fl::run();
}

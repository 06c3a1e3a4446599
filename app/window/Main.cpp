// orvane: the window program. A second instance says why on stderr and ends at once.
#include <FL/Fl.H>

#include <cstdio>
#include <string>

#include "app/platform/DecimalSeparator.h"
#include "app/platform/InstanceLock.h"
#include "app/window/MainWindow.h"
#include "canvas/LibraryVersions.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--version") {
            std::printf("orvane %s (%s)\n", ORVANE_VERSION, orvane::PixelLibraryVersions().c_str());
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
    using orvane::platform::InstanceLock;
    const InstanceLock lock = orvane::platform::TakeInstanceLock("orvane.lock");
    if (lock.state == InstanceLock::State::HeldByOther) {
        std::fprintf(stderr,
                     "orvane: another Orvane window is already open (it holds %s); "
                     "this one ends\n",
                     lock.path.c_str());
        return 0;
    }
    // Without a safe place for the lock the user is not stopped, only told.
    if (lock.state == InstanceLock::State::Unavailable)
        std::fprintf(stderr, "orvane: running without the single-instance lock (%s)\n",
                     lock.reason.c_str());
    orvane::MainWindow window(orvane::UserDecimalSeparator());
    window.Show();
    return Fl::run();
}

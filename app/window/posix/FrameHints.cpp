#include "app/window/FrameHints.h"

#include <FL/x.H>

namespace orvane {

// X11 window managers read the Motif hints.
void FixFrame(Fl_Window& window) {
    Display* display = fl_display;
    const ::Window xid = fl_xid(&window);
    if (display == nullptr || xid == 0) return;
    const Atom hintsAtom = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    // flags: functions | decorations; functions: move | close; decorations: border | title | menu
    long hints[5] = {1 | 2, 4 | 32, 2 | 8 | 16, 0, 0};
    XChangeProperty(display, xid, hintsAtom, hintsAtom, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
}

}  // namespace orvane

#include "app/window/ProgramIcon.h"

namespace orvane {

// An X11 program has no icon of its own: the window carries the embedded pictures.
bool UseProgramIcon(Fl_Window&) {
    return false;
}

}  // namespace orvane

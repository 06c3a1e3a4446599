#pragma once
// The icon the system keeps for the program itself. On Windows that is the icon resource built
// into the .exe, in every size the title bar and the task bar ask for, so the window shows the
// icon Explorer and the shortcuts show. Elsewhere there is none, and the window is given the
// embedded icon pictures instead.
#include <FL/Fl_Window.H>

namespace orvane {

// Gives `window` the program's own icon; call before it is shown. False where there is none.
bool UseProgramIcon(Fl_Window& window);

}  // namespace orvane

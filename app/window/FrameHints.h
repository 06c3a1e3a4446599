#pragma once
// Keeps the window's frame fixed: no minimise and no maximise button, no resizing. Call once the
// window is shown (it needs the system's window).
#include <FL/Fl_Window.H>

namespace orvane {

void FixFrame(Fl_Window& window);

}  // namespace orvane

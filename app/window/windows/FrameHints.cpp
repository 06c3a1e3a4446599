#include "app/window/FrameHints.h"

#include <FL/x.H>

namespace orvane {

// FLTK already gives a window of one fixed size no maximise box and no sizing border; the
// minimise box goes too, as on Linux.
void FixFrame(Fl_Window& window) {
    const HWND hwnd = fl_xid(&window);
    if (hwnd == nullptr) return;
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd, GWL_STYLE);
    ::SetWindowLongPtrW(hwnd, GWL_STYLE,
                        style & ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace orvane

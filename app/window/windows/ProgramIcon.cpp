#include "app/window/ProgramIcon.h"

#include <FL/x.H>

namespace orvane {
namespace {

constexpr int kIconResource = 1;  // packaging/windows/program.rc.in

// The icon of the size a system metric names, chosen from the resource's sizes.
HICON LoadProgramIcon(int metric) {
    const int size = ::GetSystemMetrics(metric);
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, size, size,
                                           LR_DEFAULTCOLOR));
}

}  // namespace

bool UseProgramIcon(Fl_Window& window) {
    const HICON bigIcon = LoadProgramIcon(SM_CXICON);
    const HICON smallIcon = LoadProgramIcon(SM_CXSMICON);
    if (bigIcon == nullptr || smallIcon == nullptr) {
        if (bigIcon != nullptr) ::DestroyIcon(bigIcon);
        if (smallIcon != nullptr) ::DestroyIcon(smallIcon);
        return false;
    }
    // FLTK registers its window class with the window's one "legacy" icon, and a window without
    // one would get the system's generic icon there and lose any other icons it was given. The
    // class keeps this handle for the program's life. The title bar's small icon and the task
    // bar's large one are the defaults FLTK sends every window (it copies them).
    window.icon(static_cast<const void*>(bigIcon));
    Fl_Window::default_icons(bigIcon, smallIcon);
    ::DestroyIcon(smallIcon);
    return true;
}

}  // namespace orvane

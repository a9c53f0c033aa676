#pragma once

#include <sys/types.h>

#include <span>
#include <string_view>
#include <vector>

namespace zelanto::platform::x11 {

// An X11 window, named without Xlib's headers, whose macros clash with Qt's.
using WindowId = unsigned long;

// The windows that one of `pids` shows, menus and tooltips left out. Throws NoDisplayError.
std::vector<WindowId> programWindows(std::span<const pid_t> pids);

// Asks the window manager to maximize `window` (_NET_WM_STATE_MAXIMIZED_VERT and _HORZ) and to
// give it the focus. Without a window manager nothing happens. Throws NoDisplayError.
void askMaximizedAndFocused(WindowId window);

// Asks each window that one of `pids` shows to close, as its close box does (WM_DELETE_WINDOW):
// a program with unsaved work asks its user first. A window that cannot be asked so is left
// alone. Throws NoDisplayError.
void closeProgramWindows(std::span<const pid_t> pids);

enum class WindowState {
    // No such window is there (yet).
    absent,
    // It is there and not maximized: the window manager has been asked to maximize it and to
    // give it the focus.
    asked,
    // It is there and maximized.
    maximized,
};

// Has a window whose title ends with `titleEnd` maximized and focused, for a program started by
// the desktop. Throws NoDisplayError.
WindowState maximizeWindowTitleEnding(std::string_view titleEnd);

}  // namespace zelanto::platform::x11

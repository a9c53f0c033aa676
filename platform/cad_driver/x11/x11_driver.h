#pragma once

// What the CAD driver asks of the X11 display: finding, activating, maximizing and closing other
// programs' windows (window_control.cpp) and typing into the focused one (key_typing.cpp). Named
// without Xlib's headers, whose macros (None, Bool, KeyPress …) clash with Qt's; the display
// itself is display.h.

#include <sys/types.h>

#include <chrono>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zelanto::platform::x11 {

// Another program's window could not be driven: no window carries the title, it cannot be given
// the focus, or the keys cannot be typed.
class X11Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// There is no X11 display to drive: DISPLAY is unset or the server cannot be reached.
class NoDisplayError : public X11Error {
public:
    using X11Error::X11Error;
};

// An X11 window.
using WindowId = unsigned long;

// Gives the keyboard focus to a top-level window whose title (UTF-8) equals `title`, otherwise to
// one whose title begins with it: through the window manager when one runs, by setting the input
// focus otherwise. Throws NoDisplayError, or X11Error when no window qualifies or it cannot be
// given the focus.
void activateWindow(const std::string& title);

// Gives the keyboard focus to a window that one of `pids` shows, otherwise to a window titled
// like one of the programs `names` (a title that equals the name or begins with it, the earlier
// names first), as activateWindow does. Throws NoDisplayError, or X11Error when no window
// qualifies or it cannot be given the focus.
void activateProgramWindow(std::span<const pid_t> pids, std::span<const std::string_view> names);

// Gives the keyboard focus to a window that one of `pids` shows whose title holds `titlePart`, as
// activateWindow does; false when none carries such a title (yet). Throws NoDisplayError, or
// X11Error when it cannot be given the focus.
bool activateProgramWindowTitled(std::span<const pid_t> pids, std::string_view titlePart);

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

enum class KeyWait {
    // Returns once the X server has the keys.
    no,
    // Returns once the focused window has handled them, or when the timeout has passed.
    untilProcessed,
};

// How long the focused window is given to confirm that it has read the keys: a CAD program that
// is busy, or on a busy machine, may take a while.
inline constexpr std::chrono::milliseconds kProcessTimeout{30000};

// Types `keys` (UTF-8) into the focused window, each character literally and "\r" as the Return
// key. Characters the keyboard lacks are typed with unused keycodes bound to them for the while;
// a window reads its keyboard map when it reads a key, so it must confirm (a _NET_WM_PING round
// trip) that it has read every key typed before the binding, and every key typed with it before
// the keycodes are unbound. Throws NoDisplayError; X11Error when the keys cannot be typed, the
// focus left the window meanwhile, or the window did not confirm such characters (it does not
// answer pings, or not within `timeout`): they may not have arrived. Keys that need no binding
// arrive in any case; a waiting send of only such keys returns after `timeout` at the latest.
void typeKeys(std::string_view keys, KeyWait wait,
              std::chrono::milliseconds timeout = kProcessTimeout);

// Presses and releases Shift in the focused window: a key that types nothing. Throws
// NoDisplayError; X11Error when it cannot be pressed.
void pressShift();

}  // namespace zelanto::platform::x11

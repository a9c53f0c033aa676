#pragma once

// The X11 display as the driver sees it through Xlib and libxdo: a connection for one operation,
// the properties and titles of windows, the search for windows by title or by process, the
// keyboard focus and the keyboard map. Only the X11 code includes this; the Qt side uses
// x11_driver.h.

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// xdo.h has no C++ guard of its own.
extern "C" {
#include <xdo.h>
}

namespace zelanto::platform::x11 {

// A connection to the display named by DISPLAY for the length of one operation. While it is open,
// X errors are ignored instead of ending the process: a window found a moment ago may be gone.
class DisplayConnection {
public:
    // Throws NoDisplayError when DISPLAY is unset or the server cannot be reached.
    DisplayConnection();
    ~DisplayConnection();
    DisplayConnection(const DisplayConnection&) = delete;
    DisplayConnection& operator=(const DisplayConnection&) = delete;

    Display* get() const { return display_; }

private:
    Display* display_;
    XErrorHandler previousHandler_;
};

struct XdoFree {
    void operator()(xdo_t* xdo) const { xdo_free(xdo); }
};
using Xdo = std::unique_ptr<xdo_t, XdoFree>;

// A libxdo handle on an open display, which it leaves open. libxdo reads the keyboard map once,
// here: keycodes bound later are unknown to it. Throws X11Error.
Xdo makeXdo(Display* display);

// The 32-bit items of the window's property `name` (ATOM, CARDINAL, WINDOW …), read as `type`
// (AnyPropertyType for any); nothing when the window does not carry it.
std::optional<std::vector<unsigned long>> windowProperty(Display* display, Window window,
                                                         const char* name, Atom type);

// The process id the window carries in _NET_WM_PID; nothing when it carries none.
std::optional<pid_t> windowPid(Display* display, Window window);

// Whether the window lists `protocol` (WM_DELETE_WINDOW, _NET_WM_PING …) in WM_PROTOCOLS.
bool listsProtocol(Display* display, Window window, const char* protocol);

// The window's title in UTF-8: _NET_WM_NAME, else WM_NAME in whatever encoding it was set;
// empty when it has none.
std::string windowTitle(Display* display, Window window);

// A window that can be brought forward whose title equals `title`, otherwise one whose title
// begins with it (case-sensitive, UTF-8); any one of them when several qualify.
std::optional<Window> findWindowByTitle(Display* display, std::string_view title);

// The windows that can be brought forward and that one of `pids` shows (their _NET_WM_PID), in
// the order of the window tree; menus and tooltips are left out.
std::vector<Window> windowsOfProcesses(Display* display, std::span<const pid_t> pids);

// One of those windows, one with a title rather than one without.
std::optional<Window> findWindowOfProcesses(Display* display, std::span<const pid_t> pids);

// A window that can be brought forward whose title ends with `ending` (case-sensitive): a viewer
// shows its own name before the title of the document it shows.
std::optional<Window> findWindowTitleEnding(Display* display, std::string_view ending);

// The window that has the keyboard focus if `wanted` holds for it, else its nearest ancestor for
// which it holds; None when there is none (or the focus follows the pointer).
Window focusedAncestor(Display* display, const std::function<bool(Window)>& wanted);

// Keycodes that carry no keysym at all, free to be bound for a while.
std::vector<KeyCode> unusedKeycodes(Display* display);

// Whether some key of the keyboard types `keysym`.
bool isOnKeyboard(Display* display, KeySym keysym);

}  // namespace zelanto::platform::x11

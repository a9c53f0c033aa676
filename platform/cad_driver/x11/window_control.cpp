// Other programs' windows: given the focus, maximized and asked to close.
#include <X11/Xatom.h>

#include <algorithm>

#include "platform/cad_driver/x11/display.h"
#include "platform/cad_driver/x11/x11_driver.h"

namespace zelanto::platform::x11 {
namespace {

constexpr long kAddState = 1;         // _NET_WM_STATE_ADD
constexpr long kFromApplication = 1;  // the source indication of a normal program

// Whether the keyboard focus is on `window` or inside it.
bool hasFocus(Display* display, Window window) {
    return focusedAncestor(display, [window](Window focus) { return focus == window; }) == window;
}

// Needs a window manager that supports _NET_ACTIVE_WINDOW; without one libxdo refuses at once.
bool activateThroughWindowManager(const xdo_t* xdo, Window window) {
    return xdo_activate_window(xdo, window) == XDO_SUCCESS &&
           xdo_wait_for_window_active(xdo, window, True) == XDO_SUCCESS &&
           hasFocus(xdo->xdpy, window);
}

bool focusDirectly(const xdo_t* xdo, Window window) {
    xdo_raise_window(xdo, window);
    return xdo_focus_window(xdo, window) == XDO_SUCCESS &&
           xdo_wait_for_window_focus(xdo, window, True) == XDO_SUCCESS &&
           hasFocus(xdo->xdpy, window);
}

void activate(const xdo_t* xdo, Window window, const std::string& name) {
    if (!activateThroughWindowManager(xdo, window) && !focusDirectly(xdo, window)) {
        throw X11Error("the window " + name + " cannot be given the focus");
    }
}

// A window titled like one of the programs `names`, the earlier names first.
std::optional<Window> findWindowTitledAsOneOf(Display* display,
                                              std::span<const std::string_view> names) {
    for (const std::string_view name : names) {
        if (const auto window = findWindowByTitle(display, name)) {
            return window;
        }
    }
    return std::nullopt;
}

std::string joined(std::span<const std::string_view> words) {
    std::string text;
    for (const std::string_view word : words) {
        text += (text.empty() ? "\"" : ", \"") + std::string(word) + "\"";
    }
    return text;
}

// The request goes to the root window, where the window manager listens.
void requestMaximized(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = kAddState;
    event.xclient.data.l[1] =
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False));
    event.xclient.data.l[2] =
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False));
    event.xclient.data.l[3] = kFromApplication;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

bool isMaximized(Display* display, Window window) {
    const auto states = windowProperty(display, window, "_NET_WM_STATE", XA_ATOM);
    const auto holds = [&](const char* state) {
        const auto atom = XInternAtom(display, state, False);
        return std::find(states->begin(), states->end(), atom) != states->end();
    };
    return states && holds("_NET_WM_STATE_MAXIMIZED_VERT") && holds("_NET_WM_STATE_MAXIMIZED_HORZ");
}

void askMaximizedAndFocused(const xdo_t* xdo, Window window) {
    requestMaximized(xdo->xdpy, window);
    // Through the window manager when one runs; without one the focus stays where it is.
    xdo_activate_window(xdo, window);
    XSync(xdo->xdpy, False);
}

}  // namespace

void activateWindow(const std::string& title) {
    const DisplayConnection connection;
    const Xdo xdo = makeXdo(connection.get());
    const auto window = findWindowByTitle(connection.get(), title);
    if (!window) {
        throw X11Error("no window titled \"" + title + "\"");
    }
    activate(xdo.get(), *window, "\"" + title + "\"");
}

void activateProgramWindow(std::span<const pid_t> pids, std::span<const std::string_view> names) {
    const DisplayConnection connection;
    const Xdo xdo = makeXdo(connection.get());
    auto window = findWindowOfProcesses(connection.get(), pids);
    if (!window) {
        window = findWindowTitledAsOneOf(connection.get(), names);
    }
    if (!window) {
        throw X11Error("neither the CAD program started nor a window titled " + joined(names) +
                       " is there");
    }
    activate(xdo.get(), *window, "of the CAD program");
}

bool activateProgramWindowTitled(std::span<const pid_t> pids, std::string_view titlePart) {
    const DisplayConnection connection;
    const Xdo xdo = makeXdo(connection.get());
    for (const Window window : windowsOfProcesses(connection.get(), pids)) {
        if (windowTitle(connection.get(), window).find(titlePart) != std::string::npos) {
            activate(xdo.get(), window, "of the CAD program");
            return true;
        }
    }
    return false;
}

std::vector<WindowId> programWindows(std::span<const pid_t> pids) {
    const DisplayConnection connection;
    const std::vector<Window> windows = windowsOfProcesses(connection.get(), pids);
    return {windows.begin(), windows.end()};
}

void askMaximizedAndFocused(WindowId window) {
    const DisplayConnection connection;
    const Xdo xdo = makeXdo(connection.get());
    askMaximizedAndFocused(xdo.get(), window);
}

void closeProgramWindows(std::span<const pid_t> pids) {
    const DisplayConnection connection;
    Display* display = connection.get();
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    for (const Window window : windowsOfProcesses(display, pids)) {
        if (!listsProtocol(display, window, "WM_DELETE_WINDOW")) {
            continue;
        }
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(deleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
    }
    XSync(display, False);
}

WindowState maximizeWindowTitleEnding(std::string_view titleEnd) {
    const DisplayConnection connection;
    const Xdo xdo = makeXdo(connection.get());
    const auto window = findWindowTitleEnding(connection.get(), titleEnd);
    if (!window) {
        return WindowState::absent;
    }
    if (isMaximized(connection.get(), *window)) {
        return WindowState::maximized;
    }
    askMaximizedAndFocused(xdo.get(), *window);
    return WindowState::asked;
}

}  // namespace zelanto::platform::x11

#include "platform/cad_driver/x11/window_state.h"

#include <X11/Xatom.h>

#include <algorithm>

#include "platform/cad_driver/x11/display_connection.h"
#include "platform/cad_driver/x11/libxdo.h"
#include "platform/cad_driver/x11/window_property.h"
#include "platform/cad_driver/x11/window_search.h"

namespace zelanto::platform::x11 {
namespace {

constexpr long kAddState = 1;         // _NET_WM_STATE_ADD
constexpr long kFromApplication = 1;  // the source indication of a normal program

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

std::vector<WindowId> programWindows(std::span<const pid_t> pids) {
    const DisplayConnection connection;
    const Xdo xdo = makeXdo(connection.get());
    const std::vector<Window> windows = windowsOfProcesses(xdo.get(), pids);
    return {windows.begin(), windows.end()};
}

void askMaximizedAndFocused(WindowId window) {
    const DisplayConnection connection;
    const Xdo xdo = makeXdo(connection.get());
    askMaximizedAndFocused(xdo.get(), window);
}

void closeProgramWindows(std::span<const pid_t> pids) {
    const DisplayConnection connection;
    const Xdo xdo = makeXdo(connection.get());
    Display* display = connection.get();
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    for (const Window window : windowsOfProcesses(xdo.get(), pids)) {
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
    const auto window = findWindowTitleEnding(xdo.get(), titleEnd);
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

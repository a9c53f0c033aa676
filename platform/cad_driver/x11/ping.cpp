#include "platform/cad_driver/x11/ping.h"

#include <poll.h>

#include <algorithm>

#include "platform/cad_driver/x11/focus.h"
#include "platform/cad_driver/x11/window_property.h"

namespace zelanto::platform::x11 {
namespace {

using Clock = std::chrono::steady_clock;

struct PingAtoms {
    explicit PingAtoms(Display* display)
        : protocols(XInternAtom(display, "WM_PROTOCOLS", False)),
          ping(XInternAtom(display, "_NET_WM_PING", False)) {}
    Atom protocols;
    Atom ping;
};

// The echo comes back to the root window, among everything else that happens there.
bool isEcho(const XEvent& event, const PingAtoms& atoms, long token, Window window) {
    return event.type == ClientMessage && event.xclient.message_type == atoms.protocols &&
           static_cast<Atom>(event.xclient.data.l[0]) == atoms.ping &&
           event.xclient.data.l[1] == token &&
           static_cast<Window>(event.xclient.data.l[2]) == window;
}

void sendPing(Display* display, const PingAtoms& atoms, long token, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atoms.protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(atoms.ping);
    event.xclient.data.l[1] = token;
    event.xclient.data.l[2] = static_cast<long>(window);
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

// Waits for the next event until `deadline`; false when none came.
bool nextEvent(Display* display, Clock::time_point deadline, XEvent& event) {
    while (XPending(display) == 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        if (left.count() <= 0 || poll(&connection, 1, static_cast<int>(left.count())) <= 0) {
            return false;
        }
    }
    XNextEvent(display, &event);
    return true;
}

// Distinguishes our pings from a window manager's, which carry server times.
long nextToken() {
    static long token = 0;
    return ++token;
}

}  // namespace

Window pingableFocusWindow(Display* display) {
    return focusedAncestor(display, [display](Window window) {
        return listsProtocol(display, window, "_NET_WM_PING");
    });
}

bool waitUntilProcessed(Display* display, Window window, std::chrono::milliseconds timeout) {
    if (window == None) {
        XSync(display, False);
        return false;
    }
    const PingAtoms atoms(display);
    const long token = nextToken();
    // Toolkits send the echo with different masks: Qt's reaches those who select StructureNotify.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask | StructureNotifyMask);
    sendPing(display, atoms, token, window);
    const auto deadline = Clock::now() + timeout;
    XEvent event{};
    while (nextEvent(display, deadline, event)) {
        if (isEcho(event, atoms, token, window)) {
            return true;
        }
    }
    return false;
}

}  // namespace zelanto::platform::x11

#include "platform/cad_driver/x11/window_maximize.h"

#include "platform/cad_driver/x11/display_connection.h"
#include "platform/cad_driver/x11/libxdo.h"
#include "platform/cad_driver/x11/window_search.h"

namespace zelanto::platform::x11 {
namespace {

// The request of the window-manager hints: add both maximized states, asked by an application.
void askToMaximize(Display* display, Window window) {
    constexpr long kAdd = 1;
    constexpr long kFromApplication = 1;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = kAdd;
    event.xclient.data.l[1] =
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False));
    event.xclient.data.l[2] =
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False));
    event.xclient.data.l[3] = kFromApplication;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace

int maximizeWindowsWithTitlePart(std::string_view titlePart) {
    const DisplayConnection connection;
    const Xdo xdo = makeXdo(connection.get());
    int asked = 0;
    for (const Window window : findWindowsWithTitlePart(xdo.get(), titlePart)) {
        askToMaximize(connection.get(), window);
        ++asked;
    }
    XSync(connection.get(), False);
    return asked;
}

}  // namespace zelanto::platform::x11

#include "platform/cad_driver/x11/display_connection.h"

#include <cstdlib>
#include <string>

#include "platform/cad_driver/x11/x11_error.h"

namespace zelanto::platform::x11 {
namespace {

int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

Display* openDisplay() {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        throw NoDisplayError("no X11 display: DISPLAY is not set");
    }
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        throw NoDisplayError(std::string("no X11 display: cannot connect to ") + name);
    }
    return display;
}

}  // namespace

DisplayConnection::DisplayConnection()
    : display_(openDisplay()), previousHandler_(XSetErrorHandler(ignoreError)) {}

DisplayConnection::~DisplayConnection() {
    XCloseDisplay(display_);
    XSetErrorHandler(previousHandler_);
}

}  // namespace zelanto::platform::x11

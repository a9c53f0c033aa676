#include "tests/platform/cad_driver/x11/virtual_display.h"

#include <X11/Xatom.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

#include "tests/platform/cad_driver/x11/test_window.h"
#include "tests/platform/cad_driver/x11/wait_until.h"

namespace zelanto::testing {
namespace {

// Xvfb picks a free display number and writes it, with a line end, once it accepts connections.
std::string readDisplayNumber(int fd) {
    std::string number;
    char c = 0;
    while (read(fd, &c, 1) == 1 && c != '\n') {
        number += c;
    }
    return number;
}

bool supportsActivation(Display* display) {
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
    const Atom activeWindow = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, DefaultRootWindow(display), supported, 0, 1024, False, XA_ATOM,
                       &type, &format, &count, &after, &data);
    const auto* atoms = reinterpret_cast<const Atom*>(data);
    const bool found =
        data != nullptr && std::find(atoms, atoms + count, activeWindow) != atoms + count;
    XFree(data);
    return found;
}

// openbox announces itself before it handles events, and a window mapped in between may never be
// managed: it is ready once it shows a window of ours, which is mapped again until it does.
bool managesNewWindows(Display* display) {
    const Window probe =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    bool managed = false;
    for (int attempt = 0; attempt < 50 && !managed; ++attempt) {
        XMapWindow(display, probe);
        XFlush(display);
        managed =
            waitUntil([&] { return isViewable(display, probe); }, std::chrono::milliseconds(200));
    }
    XDestroyWindow(display, probe);
    XSync(display, False);
    return managed;
}

// Windows come and go while a test searches the tree (openbox makes and drops windows of its own):
// errors about vanished windows must not end the test.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

}  // namespace

VirtualDisplay::VirtualDisplay() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        throw std::runtime_error("cannot make a pipe");
    }
    server_.emplace(
        // 96 DPI: 15 twips make a pixel, so tests can click at places given in twips.
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                 "1280x1024x24", "-dpi", "96", "-nolisten", "tcp"},
        fds[1]);
    close(fds[1]);
    name_ = ":" + readDisplayNumber(fds[0]);
    close(fds[0]);
    display_.emplace("DISPLAY", name_);
    connection_ = XOpenDisplay(name_.c_str());
    if (connection_ == nullptr) {
        throw std::runtime_error("Xvfb did not start");
    }
    previousHandler_ = XSetErrorHandler(ignoreError);
}

VirtualDisplay::~VirtualDisplay() {
    if (connection_ != nullptr) {
        XCloseDisplay(connection_);
        XSetErrorHandler(previousHandler_);
    }
}

WindowManager::WindowManager(Display* display) : openbox_({"openbox", "--sm-disable"}) {
    if (!waitUntil([display] { return supportsActivation(display); }) ||
        !managesNewWindows(display)) {
        throw std::runtime_error("openbox did not start");
    }
}

}  // namespace zelanto::testing

#include "tests/platform/cad_driver/x11/test_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <signal.h>

#include <functional>
#include <stdexcept>

#include "tests/platform/cad_driver/x11/wait_until.h"

namespace zelanto::testing {
namespace {

bool hasName(Display* display, Window window, const std::string& title) {
    char* name = nullptr;
    const bool same = XFetchName(display, window, &name) != 0 && title == name;
    XFree(name);
    return same;
}

// Searches the whole tree: a window manager puts clients inside frames.
Window findWindow(Display* display, Window parent, const std::function<bool(Window)>& wanted) {
    Window root = None;
    Window ignored = None;
    Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, parent, &root, &ignored, &children, &count);
    Window found = None;
    for (unsigned int i = 0; i < count && found == None; ++i) {
        found = wanted(children[i]) ? children[i] : findWindow(display, children[i], wanted);
    }
    XFree(children);
    return found;
}

void setTitle(Display* display, Window window, const WindowOptions& options) {
    if (!options.netWmNameOnly) {
        XStoreName(display, window, options.title.c_str());
        return;
    }
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(options.title.data()),
                    static_cast<int>(options.title.size()));
}

}  // namespace

TestWindow::TestWindow(Display* display, const WindowOptions& options)
    : display_(display),
      window_(XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 200, 100, 0, 0, 0)) {
    setTitle(display, window_, options);
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(display, window_, &hints);
    if (options.listsPing) {
        Atom ping = XInternAtom(display, "_NET_WM_PING", False);
        XSetWMProtocols(display, window_, &ping, 1);
    }
    XMapWindow(display, window_);
    XFlush(display);
    if (!waitUntil([this] { return isViewable(display_, window_); })) {
        throw std::runtime_error("the test window was not shown");
    }
}

TestWindow::~TestWindow() {
    XDestroyWindow(display_, window_);
    XSync(display_, False);
}

bool isViewable(Display* display, Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

Window waitForWindow(Display* display, const std::string& title) {
    Window window = None;
    waitUntil([&] {
        window = findWindow(display, DefaultRootWindow(display), [&](Window candidate) {
            return hasName(display, candidate, title) && isViewable(display, candidate);
        });
        return window != None;
    });
    return window;
}

void focus(Display* display, Window window) {
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    if (!waitUntil([&] { return focusedWindow(display) == window; })) {
        throw std::runtime_error("the window did not get the focus");
    }
}

Window focusedWindow(Display* display) {
    Window window = None;
    int revertTo = 0;
    XGetInputFocus(display, &window, &revertTo);
    return window;
}

pid_t windowPid(Display* display, Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False,
                       XA_CARDINAL, &type, &format, &count, &after, &data);
    const pid_t pid = count == 1 ? static_cast<pid_t>(*reinterpret_cast<long*>(data)) : -1;
    XFree(data);
    return pid;
}

bool endWindowOwner(Display* display, Window window) {
    const pid_t pid = windowPid(display, window);
    // kill() with 0 or a negative id would reach a whole group of processes.
    if (pid <= 0 || kill(pid, SIGTERM) != 0) {
        return false;
    }
    return waitUntil([&] { return !isViewable(display, window); });
}

}  // namespace zelanto::testing

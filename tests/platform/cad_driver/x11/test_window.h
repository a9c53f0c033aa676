#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>

namespace zelanto::testing {

struct WindowOptions {
    std::string title;
    // The title only as UTF-8 _NET_WM_NAME, as some programs set it; otherwise only as WM_NAME.
    bool netWmNameOnly = false;
    // Lists _NET_WM_PING, which the test never answers.
    bool listsPing = false;
};

// A top-level window of the test's own, shown until the object goes.
class TestWindow {
public:
    TestWindow(Display* display, const WindowOptions& options);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    Window window() const { return window_; }

private:
    Display* display_;
    Window window_;
};

bool isViewable(Display* display, Window window);

// The viewable window whose WM_NAME is `title`, once there is one; None after 10 s.
Window waitForWindow(Display* display, const std::string& title);

// Gives `window` the input focus and waits until it has it.
void focus(Display* display, Window window);

Window focusedWindow(Display* display);

// The process id that `window` carries in _NET_WM_PID; -1 when it carries none. This is how a
// test finds a program that was started detached and so is no child of its own.
pid_t windowPid(Display* display, Window window);

// Ends the process that shows `window`, found by windowPid, with SIGTERM, and waits until the
// window is gone. False when the window names no process or is still there after 10 s.
bool endWindowOwner(Display* display, Window window);

}  // namespace zelanto::testing

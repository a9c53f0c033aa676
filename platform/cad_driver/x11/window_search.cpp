#include "platform/cad_driver/x11/window_search.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <vector>

#include "platform/cad_driver/x11/window_property.h"
#include "platform/cad_driver/x11/window_title.h"

namespace zelanto::platform::x11 {
namespace {

// Every window on the display, the whole tree, because window managers put their clients inside
// frames. Walked with XQueryTree rather than libxdo's search, which frees a list twice when a
// window goes while it searches (as windows do while a program starts).
void collectWindows(Display* display, Window parent, std::vector<Window>& windows) {
    Window root = None;
    Window parentOfParent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, parent, &root, &parentOfParent, &children, &count) == 0) {
        return;  // gone meanwhile
    }
    const std::vector<Window> found(children, children + count);
    XFree(children);
    for (const Window child : found) {
        windows.push_back(child);
        collectWindows(display, child, windows);
    }
}

std::vector<Window> allWindows(const xdo_t* xdo) {
    std::vector<Window> windows;
    collectWindows(xdo->xdpy, DefaultRootWindow(xdo->xdpy), windows);
    return windows;
}

// Shown, or managed by a window manager (which also brings back a minimized window).
bool canBeBroughtForward(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) != 0 &&
        attributes.map_state == IsViewable) {
        return true;
    }
    return windowProperty(display, window, "WM_STATE", AnyPropertyType).has_value();
}

// The process id a window carries in _NET_WM_PID; nothing when it carries none.
std::optional<pid_t> windowPid(Display* display, Window window) {
    const auto pid = windowProperty(display, window, "_NET_WM_PID", XA_CARDINAL);
    if (!pid || pid->size() != 1) {
        return std::nullopt;
    }
    return static_cast<pid_t>(pid->front());
}

}  // namespace

std::optional<Window> findWindowOfProcesses(const xdo_t* xdo, std::span<const pid_t> pids) {
    std::optional<Window> untitled;
    for (const Window window : allWindows(xdo)) {
        const auto pid = windowPid(xdo->xdpy, window);
        if (!pid || std::find(pids.begin(), pids.end(), *pid) == pids.end() ||
            !canBeBroughtForward(xdo->xdpy, window)) {
            continue;
        }
        if (!windowTitle(xdo->xdpy, window).empty()) {
            return window;
        }
        if (!untitled) {
            untitled = window;
        }
    }
    return untitled;
}

std::optional<Window> findWindowTitleHolding(const xdo_t* xdo,
                                             std::span<const std::string_view> words) {
    for (const Window window : allWindows(xdo)) {
        const std::string title = windowTitle(xdo->xdpy, window);
        const bool holds = std::any_of(words.begin(), words.end(), [&](std::string_view word) {
            return title.find(word) != std::string::npos;
        });
        if (holds && canBeBroughtForward(xdo->xdpy, window)) {
            return window;
        }
    }
    return std::nullopt;
}

std::optional<Window> findWindowByTitle(const xdo_t* xdo, std::string_view title) {
    std::optional<Window> beginning;
    for (const Window window : allWindows(xdo)) {
        const std::string name = windowTitle(xdo->xdpy, window);
        if (!name.starts_with(title) || !canBeBroughtForward(xdo->xdpy, window)) {
            continue;
        }
        if (name == title) {
            return window;
        }
        if (!beginning) {
            beginning = window;
        }
    }
    return beginning;
}

}  // namespace zelanto::platform::x11

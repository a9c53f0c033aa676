#include "platform/cad_driver/x11/window_search.h"

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

// A window that the window manager leaves alone: a menu, a tooltip, a drop-down list.
bool isMenuOrTooltip(Display* display, Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.override_redirect != False;
}

}  // namespace

std::vector<Window> windowsOfProcesses(const xdo_t* xdo, std::span<const pid_t> pids) {
    std::vector<Window> windows;
    for (const Window window : allWindows(xdo)) {
        const auto pid = windowPid(xdo->xdpy, window);
        if (pid && std::find(pids.begin(), pids.end(), *pid) != pids.end() &&
            !isMenuOrTooltip(xdo->xdpy, window) && canBeBroughtForward(xdo->xdpy, window)) {
            windows.push_back(window);
        }
    }
    return windows;
}

std::optional<Window> findWindowOfProcesses(const xdo_t* xdo, std::span<const pid_t> pids) {
    const std::vector<Window> windows = windowsOfProcesses(xdo, pids);
    const auto titled = std::find_if(windows.begin(), windows.end(), [&](Window window) {
        return !windowTitle(xdo->xdpy, window).empty();
    });
    if (titled != windows.end()) {
        return *titled;
    }
    return windows.empty() ? std::nullopt : std::optional<Window>(windows.front());
}

std::optional<Window> findWindowTitleEnding(const xdo_t* xdo, std::string_view ending) {
    for (const Window window : allWindows(xdo)) {
        if (windowTitle(xdo->xdpy, window).ends_with(ending) &&
            canBeBroughtForward(xdo->xdpy, window)) {
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

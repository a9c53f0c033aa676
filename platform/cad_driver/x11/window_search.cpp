#include "platform/cad_driver/x11/window_search.h"

#include <cstdlib>

#include "platform/cad_driver/x11/window_title.h"

namespace zelanto::platform::x11 {
namespace {

// Every window on the display. libxdo's name search is a case-insensitive regular expression on
// WM_NAME alone, so it only collects here; the title rule is applied afterwards. The whole tree is
// searched because window managers put their clients inside frames.
std::vector<Window> allWindows(const xdo_t* xdo) {
    xdo_search_t search{};
    search.winname = "";
    search.searchmask = SEARCH_NAME;
    search.max_depth = -1;
    search.require = xdo_search_t::SEARCH_ANY;
    Window* found = nullptr;
    unsigned int count = 0;
    xdo_search_windows(xdo, &search, &found, &count);
    std::vector<Window> windows(found, found + count);
    std::free(found);
    return windows;
}

// Shown, or managed by a window manager (which also brings back a minimized window).
bool canBeBroughtForward(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) != 0 &&
        attributes.map_state == IsViewable) {
        return true;
    }
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, wmState, 0, 0, False, AnyPropertyType, &type, &format,
                       &items, &after, &data);
    XFree(data);
    return type != None;
}

}  // namespace

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

std::vector<Window> findWindowsWithTitlePart(const xdo_t* xdo, std::string_view part) {
    std::vector<Window> found;
    for (const Window window : allWindows(xdo)) {
        if (windowTitle(xdo->xdpy, window).find(part) != std::string::npos &&
            canBeBroughtForward(xdo->xdpy, window)) {
            found.push_back(window);
        }
    }
    return found;
}

}  // namespace zelanto::platform::x11

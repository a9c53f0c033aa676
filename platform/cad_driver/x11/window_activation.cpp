#include "platform/cad_driver/x11/window_activation.h"

#include "platform/cad_driver/x11/display_connection.h"
#include "platform/cad_driver/x11/focus.h"
#include "platform/cad_driver/x11/libxdo.h"
#include "platform/cad_driver/x11/window_search.h"
#include "platform/cad_driver/x11/window_title.h"
#include "platform/cad_driver/x11/x11_error.h"

namespace zelanto::platform::x11 {
namespace {

// Whether the keyboard focus is on `window` or inside it.
bool hasFocus(Display* display, Window window) {
    return focusedAncestor(display, [window](Window focus) { return focus == window; }) == window;
}

// Needs a window manager that supports _NET_ACTIVE_WINDOW; without one libxdo refuses at once.
bool activateThroughWindowManager(const xdo_t* xdo, Window window) {
    return xdo_activate_window(xdo, window) == XDO_SUCCESS &&
           xdo_wait_for_window_active(xdo, window, True) == XDO_SUCCESS &&
           hasFocus(xdo->xdpy, window);
}

bool focusDirectly(const xdo_t* xdo, Window window) {
    xdo_raise_window(xdo, window);
    return xdo_focus_window(xdo, window) == XDO_SUCCESS &&
           xdo_wait_for_window_focus(xdo, window, True) == XDO_SUCCESS &&
           hasFocus(xdo->xdpy, window);
}

void activate(const xdo_t* xdo, Window window, const std::string& name) {
    if (!activateThroughWindowManager(xdo, window) && !focusDirectly(xdo, window)) {
        throw X11Error("the window " + name + " cannot be given the focus");
    }
}

// A window titled like one of the programs `names`, the earlier names first.
std::optional<Window> findWindowTitledAsOneOf(const xdo_t* xdo,
                                              std::span<const std::string_view> names) {
    for (const std::string_view name : names) {
        if (const auto window = findWindowByTitle(xdo, name)) {
            return window;
        }
    }
    return std::nullopt;
}

std::string joined(std::span<const std::string_view> words) {
    std::string text;
    for (const std::string_view word : words) {
        text += (text.empty() ? "\"" : ", \"") + std::string(word) + "\"";
    }
    return text;
}

}  // namespace

void activateWindow(const std::string& title) {
    const DisplayConnection connection;
    const Xdo xdo = makeXdo(connection.get());
    const auto window = findWindowByTitle(xdo.get(), title);
    if (!window) {
        throw X11Error("no window titled \"" + title + "\"");
    }
    activate(xdo.get(), *window, "\"" + title + "\"");
}

void activateProgramWindow(std::span<const pid_t> pids, std::span<const std::string_view> names) {
    const DisplayConnection connection;
    const Xdo xdo = makeXdo(connection.get());
    auto window = findWindowOfProcesses(xdo.get(), pids);
    if (!window) {
        window = findWindowTitledAsOneOf(xdo.get(), names);
    }
    if (!window) {
        throw X11Error("neither the CAD program started nor a window titled " + joined(names) +
                       " is there");
    }
    activate(xdo.get(), *window, "of the CAD program");
}

bool activateProgramWindowTitled(std::span<const pid_t> pids, std::string_view titlePart) {
    const DisplayConnection connection;
    const Xdo xdo = makeXdo(connection.get());
    for (const Window window : windowsOfProcesses(xdo.get(), pids)) {
        if (windowTitle(connection.get(), window).find(titlePart) != std::string::npos) {
            activate(xdo.get(), window, "of the CAD program");
            return true;
        }
    }
    return false;
}

}  // namespace zelanto::platform::x11

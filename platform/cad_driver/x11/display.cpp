#include "platform/cad_driver/x11/display.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>

#include "platform/cad_driver/x11/x11_driver.h"

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

// More than any property read here holds.
constexpr long kMostItems = 64;

// Read with Xlib rather than xdo_get_window_name, which reads an unset length when the window has
// gone meanwhile.
bool readTitleProperty(Display* display, Window window, XTextProperty& property) {
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    if (XGetTextProperty(display, window, &property, netWmName) != 0 && property.nitems > 0) {
        return true;
    }
    XFree(property.value);
    property = {};
    return XGetWMName(display, window, &property) != 0 && property.nitems > 0;
}

// WM_NAME may be Latin-1 or compound text; Xlib converts either.
std::string utf8Text(Display* display, const XTextProperty& property) {
    char** list = nullptr;
    int count = 0;
    if (Xutf8TextPropertyToTextList(display, &property, &list, &count) < Success || count == 0) {
        return {};
    }
    std::string text = list[0];
    XFreeStringList(list);
    return text;
}

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

std::vector<Window> allWindows(Display* display) {
    std::vector<Window> windows;
    collectWindows(display, DefaultRootWindow(display), windows);
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

Window parentOf(Display* display, Window window) {
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) {
        return None;
    }
    XFree(children);
    return parent;
}

}  // namespace

DisplayConnection::DisplayConnection()
    : display_(openDisplay()), previousHandler_(XSetErrorHandler(ignoreError)) {}

DisplayConnection::~DisplayConnection() {
    XCloseDisplay(display_);
    XSetErrorHandler(previousHandler_);
}

Xdo makeXdo(Display* display) {
    Xdo xdo(xdo_new_with_opened_display(display, nullptr, False));
    if (!xdo) {
        throw X11Error("libxdo cannot use the X11 display");
    }
    return xdo;
}

std::optional<std::vector<unsigned long>> windowProperty(Display* display, Window window,
                                                         const char* name, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status =
        XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, kMostItems, False,
                           type, &actualType, &format, &count, &after, &data);
    std::optional<std::vector<unsigned long>> items;
    if (status == Success && actualType != None) {
        // Xlib hands 32-bit items over as longs.
        const auto* values = reinterpret_cast<const unsigned long*>(data);
        items.emplace(format == 32 ? values : nullptr, format == 32 ? values + count : nullptr);
    }
    XFree(data);
    return items;
}

std::optional<pid_t> windowPid(Display* display, Window window) {
    const auto pid = windowProperty(display, window, "_NET_WM_PID", XA_CARDINAL);
    if (!pid || pid->size() != 1) {
        return std::nullopt;
    }
    return static_cast<pid_t>(pid->front());
}

bool listsProtocol(Display* display, Window window, const char* protocol) {
    Atom* protocols = nullptr;
    int count = 0;
    if (XGetWMProtocols(display, window, &protocols, &count) == 0) {
        return false;
    }
    const Atom wanted = XInternAtom(display, protocol, False);
    const bool found = std::find(protocols, protocols + count, wanted) != protocols + count;
    XFree(protocols);
    return found;
}

std::string windowTitle(Display* display, Window window) {
    XTextProperty property{};
    std::string title;
    if (readTitleProperty(display, window, property)) {
        title = utf8Text(display, property);
    }
    XFree(property.value);
    return title;
}

std::optional<Window> findWindowByTitle(Display* display, std::string_view title) {
    std::optional<Window> beginning;
    for (const Window window : allWindows(display)) {
        const std::string name = windowTitle(display, window);
        if (!name.starts_with(title) || !canBeBroughtForward(display, window)) {
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

std::vector<Window> windowsOfProcesses(Display* display, std::span<const pid_t> pids) {
    std::vector<Window> windows;
    for (const Window window : allWindows(display)) {
        const auto pid = windowPid(display, window);
        if (pid && std::find(pids.begin(), pids.end(), *pid) != pids.end() &&
            !isMenuOrTooltip(display, window) && canBeBroughtForward(display, window)) {
            windows.push_back(window);
        }
    }
    return windows;
}

std::optional<Window> findWindowOfProcesses(Display* display, std::span<const pid_t> pids) {
    const std::vector<Window> windows = windowsOfProcesses(display, pids);
    const auto titled = std::find_if(windows.begin(), windows.end(), [&](Window window) {
        return !windowTitle(display, window).empty();
    });
    if (titled != windows.end()) {
        return *titled;
    }
    return windows.empty() ? std::nullopt : std::optional<Window>(windows.front());
}

std::optional<Window> findWindowTitleEnding(Display* display, std::string_view ending) {
    for (const Window window : allWindows(display)) {
        if (windowTitle(display, window).ends_with(ending) &&
            canBeBroughtForward(display, window)) {
            return window;
        }
    }
    return std::nullopt;
}

Window focusedAncestor(Display* display, const std::function<bool(Window)>& wanted) {
    Window window = None;
    int revertTo = 0;
    XGetInputFocus(display, &window, &revertTo);
    while (window != None && window != PointerRoot && !wanted(window)) {
        window = parentOf(display, window);
    }
    return window == PointerRoot ? None : window;
}

std::vector<KeyCode> unusedKeycodes(Display* display) {
    int first = 0;
    int last = 0;
    XDisplayKeycodes(display, &first, &last);
    int perKeycode = 0;
    KeySym* map =
        XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &perKeycode);
    std::vector<KeyCode> unused;
    for (int keycode = first; keycode <= last; ++keycode) {
        const KeySym* row = map + (keycode - first) * perKeycode;
        if (std::all_of(row, row + perKeycode, [](KeySym keysym) { return keysym == NoSymbol; })) {
            unused.push_back(static_cast<KeyCode>(keycode));
        }
    }
    XFree(map);
    return unused;
}

bool isOnKeyboard(Display* display, KeySym keysym) {
    return XKeysymToKeycode(display, keysym) != 0;
}

}  // namespace zelanto::platform::x11

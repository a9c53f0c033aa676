#include "platform/cad_driver/x11/window_property.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>

namespace zelanto::platform::x11 {

namespace {

// More than any property read here holds.
constexpr long kMostItems = 64;

}  // namespace

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

}  // namespace zelanto::platform::x11

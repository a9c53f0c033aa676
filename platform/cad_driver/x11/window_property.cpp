#include "platform/cad_driver/x11/window_property.h"

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

}  // namespace zelanto::platform::x11

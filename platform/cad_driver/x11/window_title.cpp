#include "platform/cad_driver/x11/window_title.h"

#include <X11/Xutil.h>

namespace zelanto::platform::x11 {
namespace {

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

}  // namespace

std::string windowTitle(Display* display, Window window) {
    XTextProperty property{};
    std::string title;
    if (readTitleProperty(display, window, property)) {
        title = utf8Text(display, property);
    }
    XFree(property.value);
    return title;
}

}  // namespace zelanto::platform::x11

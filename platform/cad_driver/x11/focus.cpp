#include "platform/cad_driver/x11/focus.h"

namespace zelanto::platform::x11 {
namespace {

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

Window focusedAncestor(Display* display, const std::function<bool(Window)>& wanted) {
    Window window = None;
    int revertTo = 0;
    XGetInputFocus(display, &window, &revertTo);
    while (window != None && window != PointerRoot && !wanted(window)) {
        window = parentOf(display, window);
    }
    return window == PointerRoot ? None : window;
}

}  // namespace zelanto::platform::x11

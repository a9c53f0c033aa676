#pragma once

#include <X11/Xlib.h>

#include <functional>

namespace zelanto::platform::x11 {

// The window that has the keyboard focus if `wanted` holds for it, else its nearest ancestor for
// which it holds; None when there is none (or the focus follows the pointer).
Window focusedAncestor(Display* display, const std::function<bool(Window)>& wanted);

}  // namespace zelanto::platform::x11

#pragma once

#include <X11/Xlib.h>

#include <string>

namespace zelanto::platform::x11 {

// The window's title in UTF-8: _NET_WM_NAME, else WM_NAME in whatever encoding it was set;
// empty when it has none.
std::string windowTitle(Display* display, Window window);

}  // namespace zelanto::platform::x11

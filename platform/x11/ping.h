#pragma once

#include <X11/Xlib.h>

#include <chrono>

namespace zelanto::platform::x11 {

// The window that has the keyboard focus, or its nearest ancestor that answers _NET_WM_PING;
// None when neither does.
Window pingableFocusWindow(Display* display);

// Returns once `window` has handled every event the server delivered to it before this call: a
// _NET_WM_PING round trip, given up after `timeout`. Without such a window (None) it can only let
// the server finish and allow the window a moment.
void waitUntilProcessed(Display* display, Window window, std::chrono::milliseconds timeout);

}  // namespace zelanto::platform::x11

#pragma once

#include <X11/Xlib.h>

#include <chrono>

namespace zelanto::platform::x11 {

// The window that has the keyboard focus, or its nearest ancestor that answers _NET_WM_PING;
// None when neither does.
Window pingableFocusWindow(Display* display);

// Returns true once `window` has handled every event the server delivered to it before this call:
// a _NET_WM_PING round trip. False when no answer came within `timeout`, or at once for a window
// that cannot be pinged (None) once the server has handled everything sent so far.
bool waitUntilProcessed(Display* display, Window window, std::chrono::milliseconds timeout);

}  // namespace zelanto::platform::x11

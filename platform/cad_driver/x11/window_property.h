#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <optional>
#include <vector>

namespace zelanto::platform::x11 {

// The 32-bit items of the window's property `name` (ATOM, CARDINAL, WINDOW …), read as `type`
// (AnyPropertyType for any); nothing when the window does not carry it.
std::optional<std::vector<unsigned long>> windowProperty(Display* display, Window window,
                                                         const char* name, Atom type);

// The process id the window carries in _NET_WM_PID; nothing when it carries none.
std::optional<pid_t> windowPid(Display* display, Window window);

// Whether the window lists `protocol` (WM_DELETE_WINDOW, _NET_WM_PING …) in WM_PROTOCOLS.
bool listsProtocol(Display* display, Window window, const char* protocol);

}  // namespace zelanto::platform::x11

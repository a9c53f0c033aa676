#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <vector>

namespace zelanto::platform::x11 {

// The 32-bit items of the window's property `name` (ATOM, CARDINAL, WINDOW …), read as `type`
// (AnyPropertyType for any); nothing when the window does not carry it.
std::optional<std::vector<unsigned long>> windowProperty(Display* display, Window window,
                                                         const char* name, Atom type);

}  // namespace zelanto::platform::x11

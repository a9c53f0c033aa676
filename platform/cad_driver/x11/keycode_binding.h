#pragma once

#include <X11/Xlib.h>

#include <span>
#include <vector>

namespace zelanto::platform::x11 {

// Keycodes that carry no keysym at all, free to be bound for a while.
std::vector<KeyCode> unusedKeycodes(Display* display);

// Whether some key of the keyboard types `keysym`.
bool isOnKeyboard(Display* display, KeySym keysym);

// Binds each keysym to its own keycode out of `unused` (at least as many), and unbinds them when
// it goes. Each keeps its keycode for the whole binding: a window that reads its keys late still
// finds the keysym they were typed with.
class KeycodeBinding {
public:
    KeycodeBinding(Display* display, std::span<const KeyCode> unused,
                   std::span<const KeySym> keysyms);
    ~KeycodeBinding();
    KeycodeBinding(const KeycodeBinding&) = delete;
    KeycodeBinding& operator=(const KeycodeBinding&) = delete;

private:
    Display* display_;
    std::span<const KeyCode> bound_;
};

}  // namespace zelanto::platform::x11

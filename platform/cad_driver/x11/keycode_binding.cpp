#include "platform/cad_driver/x11/keycode_binding.h"

#include <algorithm>

namespace zelanto::platform::x11 {
namespace {

// Binds `keycode` to `keysym` with or without Shift; NoSymbol unbinds it.
void bind(Display* display, KeyCode keycode, KeySym keysym) {
    KeySym both[] = {keysym, keysym};
    XChangeKeyboardMapping(display, keycode, 2, both, 1);
}

}  // namespace

std::vector<KeyCode> unusedKeycodes(Display* display) {
    int first = 0;
    int last = 0;
    XDisplayKeycodes(display, &first, &last);
    int perKeycode = 0;
    KeySym* map =
        XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &perKeycode);
    std::vector<KeyCode> unused;
    for (int keycode = first; keycode <= last; ++keycode) {
        const KeySym* row = map + (keycode - first) * perKeycode;
        if (std::all_of(row, row + perKeycode, [](KeySym keysym) { return keysym == NoSymbol; })) {
            unused.push_back(static_cast<KeyCode>(keycode));
        }
    }
    XFree(map);
    return unused;
}

bool isOnKeyboard(Display* display, KeySym keysym) {
    return XKeysymToKeycode(display, keysym) != 0;
}

KeycodeBinding::KeycodeBinding(Display* display, std::span<const KeyCode> unused,
                               std::span<const KeySym> keysyms)
    : display_(display), bound_(unused.first(keysyms.size())) {
    for (size_t i = 0; i < keysyms.size(); ++i) {
        bind(display_, bound_[i], keysyms[i]);
    }
    XSync(display_, False);
}

KeycodeBinding::~KeycodeBinding() {
    for (const KeyCode keycode : bound_) {
        bind(display_, keycode, NoSymbol);
    }
    XSync(display_, False);
}

}  // namespace zelanto::platform::x11

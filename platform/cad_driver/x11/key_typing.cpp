#include "platform/cad_driver/x11/key_typing.h"

#include "platform/cad_driver/x11/display_connection.h"
#include "platform/cad_driver/x11/key_runs.h"
#include "platform/cad_driver/x11/keycode_binding.h"
#include "platform/cad_driver/x11/keysyms.h"
#include "platform/cad_driver/x11/libxdo.h"
#include "platform/cad_driver/x11/ping.h"
#include "platform/cad_driver/x11/x11_error.h"

namespace zelanto::platform::x11 {
namespace {

// Into the current window libxdo sends XTEST events, which every program takes as real keys;
// events sent to a named window are synthetic, and many programs ignore those.
void typeRun(Display* display, std::span<const KeySym> keys) {
    const Xdo xdo = makeXdo(display);
    for (const KeySym key : keys) {
        if (xdo_send_keysequence_window(xdo.get(), CURRENTWINDOW, keysymName(key).c_str(), 0) !=
            XDO_SUCCESS) {
            throw X11Error("cannot type the key " + keysymName(key));
        }
    }
    XSync(display, False);
}

void confirmProcessed(Display* display, Window target, std::chrono::milliseconds timeout) {
    if (target == None) {
        throw X11Error(
            "the focused window does not answer _NET_WM_PING, so it cannot confirm that it read "
            "characters the keyboard lacks");
    }
    if (!waitUntilProcessed(display, target, timeout)) {
        throw X11Error("the focused window did not confirm within " +
                       std::to_string(timeout.count()) + " ms that it read the keys");
    }
}

void checkFocus(Display* display, Window target) {
    if (target != None && pingableFocusWindow(display) != target) {
        throw X11Error("the focus left the window the keys were typed into");
    }
}

}  // namespace

void typeKeys(std::string_view keys, KeyWait wait, std::chrono::milliseconds timeout) {
    const DisplayConnection connection;
    Display* display = connection.get();
    const std::vector<KeySym> keysyms = keysymsOf(keys);
    const Window target = pingableFocusWindow(display);
    const std::vector<KeyCode> unused = unusedKeycodes(display);
    const auto onKeyboard = [display](KeySym keysym) { return isOnKeyboard(display, keysym); };
    bool processed = true;
    for (const KeyRun& run : splitIntoRuns(keysyms, onKeyboard, unused.size())) {
        checkFocus(display, target);
        if (run.missing.empty()) {
            typeRun(display, run.keys);
            processed = false;
            continue;
        }
        // The window must not load its keyboard map (as it does when it reads its first key)
        // while the binding changes it.
        confirmProcessed(display, target, timeout);
        const KeycodeBinding binding(display, unused, run.missing);
        typeRun(display, run.keys);
        // Keycodes are unbound only once the window has read the keys typed with them.
        confirmProcessed(display, target, timeout);
        processed = true;
    }
    if (wait == KeyWait::untilProcessed && !processed) {
        waitUntilProcessed(display, target, timeout);
    }
}

void pressShift() {
    const DisplayConnection connection;
    const Xdo xdo = makeXdo(connection.get());
    if (xdo_send_keysequence_window(xdo.get(), CURRENTWINDOW, "Shift_L", 0) != XDO_SUCCESS) {
        throw X11Error("cannot press Shift");
    }
    XSync(connection.get(), False);
}

}  // namespace zelanto::platform::x11

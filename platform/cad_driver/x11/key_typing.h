#pragma once

#include <chrono>
#include <string_view>

namespace zelanto::platform::x11 {

enum class KeyWait {
    // Returns once the X server has the keys.
    no,
    // Returns once the focused window has handled them, or when the timeout has passed.
    untilProcessed,
};

// How long the focused window is given to confirm that it has read the keys: a CAD program that
// is busy, or on a busy machine, may take a while.
inline constexpr std::chrono::milliseconds kProcessTimeout{30000};

// Types `keys` (UTF-8) into the focused window, each character literally and "\r" as the Return
// key. Characters the keyboard lacks are typed with unused keycodes bound to them for the while;
// a window reads its keyboard map when it reads a key, so it must confirm (a _NET_WM_PING round
// trip) that it has read every key typed before the binding, and every key typed with it before
// the keycodes are unbound. Throws NoDisplayError; X11Error when the keys cannot be typed, the
// focus left the window meanwhile, or the window did not confirm such characters (it does not
// answer pings, or not within `timeout`): they may not have arrived. Keys that need no binding
// arrive in any case; a waiting send of only such keys returns after `timeout` at the latest.
void typeKeys(std::string_view keys, KeyWait wait,
              std::chrono::milliseconds timeout = kProcessTimeout);

// Presses and releases Shift in the focused window: a key that types nothing. Throws
// NoDisplayError; X11Error when it cannot be pressed.
void pressShift();

}  // namespace zelanto::platform::x11

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

// How long a waiting send waits for the focused window to confirm the keys.
inline constexpr std::chrono::milliseconds kProcessTimeout{5000};

// Types `keys` (UTF-8) into the focused window, each character literally and "\r" as the Return
// key. Characters the keyboard lacks are bound to unused keycodes while they are typed; a send
// that binds any therefore waits as well, so that a slow window still reads them. Throws
// NoDisplayError, or X11Error when the keys cannot be typed.
void typeKeys(std::string_view keys, KeyWait wait,
              std::chrono::milliseconds timeout = kProcessTimeout);

}  // namespace zelanto::platform::x11

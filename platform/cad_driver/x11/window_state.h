#pragma once

#include <sys/types.h>

#include <span>

namespace zelanto::platform::x11 {

enum class WindowState {
    // No window of the processes is there yet.
    absent,
    // It is there and not maximized: the window manager has been asked to maximize it
    // (_NET_WM_STATE_MAXIMIZED_VERT and _HORZ) and to give it the focus.
    asked,
    // It is there and maximized.
    maximized,
};

// Has the window that one of `pids` shows maximized and focused. Throws NoDisplayError.
WindowState maximizeProgramWindow(std::span<const pid_t> pids);

}  // namespace zelanto::platform::x11

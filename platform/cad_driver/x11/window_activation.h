#pragma once

#include <sys/types.h>

#include <span>
#include <string>
#include <string_view>

namespace zelanto::platform::x11 {

// Gives the keyboard focus to a top-level window whose title (UTF-8) equals `title`, otherwise to
// one whose title begins with it: through the window manager when one runs, by setting the input
// focus otherwise. Throws NoDisplayError, or X11Error when no window qualifies or it cannot be
// given the focus.
void activateWindow(const std::string& title);

// Gives the keyboard focus to a window that one of `pids` shows, otherwise to a window titled
// like one of the programs `names` (a title that equals the name or begins with it, the earlier
// names first), as activateWindow does. Throws NoDisplayError, or X11Error when no window
// qualifies or it cannot be given the focus.
void activateProgramWindow(std::span<const pid_t> pids, std::span<const std::string_view> names);

// Gives the keyboard focus to a window that one of `pids` shows whose title holds `titlePart`, as
// activateWindow does; false when none carries such a title (yet). Throws NoDisplayError, or
// X11Error when it cannot be given the focus.
bool activateProgramWindowTitled(std::span<const pid_t> pids, std::string_view titlePart);

}  // namespace zelanto::platform::x11

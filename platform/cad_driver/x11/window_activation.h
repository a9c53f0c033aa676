#pragma once

#include <string>

namespace zelanto::platform::x11 {

// Gives the keyboard focus to a top-level window whose title (UTF-8) equals `title`, otherwise to
// one whose title begins with it: through the window manager when one runs, by setting the input
// focus otherwise. Throws NoDisplayError, or X11Error when no window qualifies or it cannot be
// given the focus.
void activateWindow(const std::string& title);

}  // namespace zelanto::platform::x11

#pragma once

#include <string>

namespace zelanto::platform {

// Asks the window manager to maximize a window whose title ends with `titleEnd`, as a viewer
// titles its window after the document it shows ("xCHM v. 1.35: ZELANTO ヘルプ"). False when there
// is none yet, or no X11 display to look on.
bool maximizeWindowTitleEnding(const std::string& titleEnd);

}  // namespace zelanto::platform

#pragma once

#include <string>

namespace zelanto::platform {

// Asks the window manager to maximize the windows whose title holds `titlePart`. False when there
// is none yet, or no X11 display to look on.
bool maximizeWindowsWithTitlePart(const std::string& titlePart);

}  // namespace zelanto::platform

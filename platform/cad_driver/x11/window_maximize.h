#pragma once

#include <string_view>

namespace zelanto::platform::x11 {

// Asks the window manager to maximize every top-level window whose title (UTF-8) holds
// `titlePart`, and returns how many it asked for. Throws NoDisplayError.
int maximizeWindowsWithTitlePart(std::string_view titlePart);

}  // namespace zelanto::platform::x11

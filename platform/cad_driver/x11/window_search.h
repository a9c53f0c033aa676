#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/cad_driver/x11/libxdo.h"

namespace zelanto::platform::x11 {

// A window that can be brought forward whose title equals `title`, otherwise one whose title
// begins with it (case-sensitive, UTF-8); any one of them when several qualify.
std::optional<Window> findWindowByTitle(const xdo_t* xdo, std::string_view title);

// Every window that can be brought forward whose title holds `part` (case-sensitive, UTF-8).
std::vector<Window> findWindowsWithTitlePart(const xdo_t* xdo, std::string_view part);

}  // namespace zelanto::platform::x11

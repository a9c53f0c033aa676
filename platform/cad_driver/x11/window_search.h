#pragma once

#include <optional>
#include <string_view>

#include "platform/cad_driver/x11/libxdo.h"

namespace zelanto::platform::x11 {

// A window that can be brought forward whose title equals `title`, otherwise one whose title
// begins with it (case-sensitive, UTF-8); any one of them when several qualify.
std::optional<Window> findWindowByTitle(const xdo_t* xdo, std::string_view title);

}  // namespace zelanto::platform::x11

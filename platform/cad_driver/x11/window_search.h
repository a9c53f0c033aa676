#pragma once

#include <sys/types.h>

#include <optional>
#include <span>
#include <string_view>

#include "platform/cad_driver/x11/libxdo.h"

namespace zelanto::platform::x11 {

// A window that can be brought forward whose title equals `title`, otherwise one whose title
// begins with it (case-sensitive, UTF-8); any one of them when several qualify.
std::optional<Window> findWindowByTitle(const xdo_t* xdo, std::string_view title);

// A window that can be brought forward and that one of `pids` shows (its _NET_WM_PID); one with
// a title rather than one without.
std::optional<Window> findWindowOfProcesses(const xdo_t* xdo, std::span<const pid_t> pids);

// A window that can be brought forward whose title holds one of `words` (case-sensitive).
std::optional<Window> findWindowTitleHolding(const xdo_t* xdo,
                                             std::span<const std::string_view> words);

}  // namespace zelanto::platform::x11

#pragma once

#include <sys/types.h>

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/cad_driver/x11/libxdo.h"

namespace zelanto::platform::x11 {

// A window that can be brought forward whose title equals `title`, otherwise one whose title
// begins with it (case-sensitive, UTF-8); any one of them when several qualify.
std::optional<Window> findWindowByTitle(const xdo_t* xdo, std::string_view title);

// The windows that can be brought forward and that one of `pids` shows (their _NET_WM_PID), in
// the order of the window tree; menus and tooltips are left out.
std::vector<Window> windowsOfProcesses(const xdo_t* xdo, std::span<const pid_t> pids);

// One of those windows, one with a title rather than one without.
std::optional<Window> findWindowOfProcesses(const xdo_t* xdo, std::span<const pid_t> pids);

// A window that can be brought forward whose title ends with `ending` (case-sensitive): a viewer
// shows its own name before the title of the document it shows.
std::optional<Window> findWindowTitleEnding(const xdo_t* xdo, std::string_view ending);

}  // namespace zelanto::platform::x11

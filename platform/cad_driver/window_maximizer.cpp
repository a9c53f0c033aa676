#include "platform/cad_driver/window_maximizer.h"

#include "platform/cad_driver/x11/x11_driver.h"

namespace zelanto::platform {

bool maximizeWindowTitleEnding(const std::string& titleEnd) {
    try {
        return x11::maximizeWindowTitleEnding(titleEnd) != x11::WindowState::absent;
    } catch (const x11::X11Error&) {
        return false;
    }
}

}  // namespace zelanto::platform

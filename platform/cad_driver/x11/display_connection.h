#pragma once

#include <X11/Xlib.h>

namespace zelanto::platform::x11 {

// A connection to the display named by DISPLAY for the length of one operation. While it is open,
// X errors are ignored instead of ending the process: a window found a moment ago may be gone.
class DisplayConnection {
public:
    // Throws NoDisplayError when DISPLAY is unset or the server cannot be reached.
    DisplayConnection();
    ~DisplayConnection();
    DisplayConnection(const DisplayConnection&) = delete;
    DisplayConnection& operator=(const DisplayConnection&) = delete;

    Display* get() const { return display_; }

private:
    Display* display_;
    XErrorHandler previousHandler_;
};

}  // namespace zelanto::platform::x11

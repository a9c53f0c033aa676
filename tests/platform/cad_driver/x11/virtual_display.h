#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>

#include "tests/platform/cad_driver/x11/process.h"
#include "tests/scoped_environment.h"

namespace zelanto::testing {

// An Xvfb server of its own on a free display number, named by DISPLAY while the object lives,
// with a connection for the test to look at it.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    Display* connection() const { return connection_; }

private:
    std::string name_;
    std::optional<Process> server_;
    std::optional<ScopedEnvironment> display_;
    Display* connection_ = nullptr;
    XErrorHandler previousHandler_ = nullptr;
};

// openbox on the display, once it announces _NET_ACTIVE_WINDOW; it ends with the object.
class WindowManager {
public:
    explicit WindowManager(Display* display);

private:
    Process openbox_;
};

}  // namespace zelanto::testing

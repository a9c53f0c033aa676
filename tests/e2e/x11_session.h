#pragma once

#include <sys/types.h>
#include <string>

namespace zelanto::testing {

// A virtual X display of its own (at 96 DPI, so that 15 twips make a pixel) with openbox as its
// window manager, for as long as the object lives.
class X11Session {
public:
    X11Session();
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    // ":N", for DISPLAY.
    const std::string& display() const { return display_; }

private:
    std::string display_;
    pid_t server_ = -1;
    pid_t windowManager_ = -1;
};

}  // namespace zelanto::testing

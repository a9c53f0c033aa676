#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "tests/platform/cad_driver/x11/process.h"

namespace zelanto::testing {

// fakecad.exe running on the display with its logs in `folder`, its window shown. It spends
// `keyDelay` on each key before reading it, so that a send that does not wait returns before it
// has read them.
class FakeCad {
public:
    FakeCad(Display* display, const std::filesystem::path& folder,
            std::chrono::milliseconds keyDelay = std::chrono::milliseconds(0));

    Window window() const { return window_; }
    // Every key typed into it so far, "\r" for Return.
    std::string keys() const;
    // What the scripts it ran drew, one line each.
    std::string drawing() const;

private:
    std::filesystem::path log_;
    Process process_;
    Window window_;
};

}  // namespace zelanto::testing

#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "tests/platform/cad_driver/x11/virtual_display.h"
#include "tests/temp_folder.h"

namespace zelanto::testing {

// A test on a display of its own, with openbox when `withWindowManager()` is called in it.
class X11Test : public ::testing::Test {
protected:
    Display* display() const { return display_.connection(); }
    void withWindowManager() { windowManager_.emplace(display()); }

    TempFolder folder_;

private:
    VirtualDisplay display_;
    std::optional<WindowManager> windowManager_;
};

}  // namespace zelanto::testing

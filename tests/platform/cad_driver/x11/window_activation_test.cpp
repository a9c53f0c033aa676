#include "platform/cad_driver/x11/window_activation.h"

// Before the X11 headers, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include "platform/cad_driver/x11/key_typing.h"
#include "platform/cad_driver/x11/x11_error.h"
#include "tests/platform/cad_driver/x11/fake_cad.h"
#include "tests/platform/cad_driver/x11/test_window.h"
#include "tests/platform/cad_driver/x11/x11_test.h"

namespace zelanto::platform::x11 {
namespace {

using testing::FakeCad;
using testing::focusedWindow;
using testing::TestWindow;

// Without a window manager the focus is set directly; with one, the window manager activates.
class WindowActivation : public testing::X11Test, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        if (GetParam()) {
            withWindowManager();
        }
    }
};

TEST_P(WindowActivation, FocusesTheWindowWhoseTitleBeginsWithTheText) {
    const FakeCad cad(display(), folder_.path());
    const TestWindow other(display(), {.title = "Other"});
    testing::focus(display(), other.window());

    activateWindow("AutoCAD");

    EXPECT_EQ(focusedWindow(display()), cad.window());
}

TEST_P(WindowActivation, PrefersTheWindowWhoseTitleEqualsTheText) {
    const FakeCad cad(display(), folder_.path());
    // Shown last, so that it is found after the window whose title only begins with the text.
    const TestWindow exact(display(), {.title = "AutoCAD"});
    testing::focus(display(), cad.window());

    activateWindow("AutoCAD");

    EXPECT_EQ(focusedWindow(display()), exact.window());
}

INSTANTIATE_TEST_SUITE_P(Focus, WindowActivation, ::testing::Values(false, true),
                         [](const auto& info) {
                             return info.param ? "WithWindowManager" : "WithoutWindowManager";
                         });

using WindowTitles = testing::X11Test;

TEST_F(WindowTitles, AreComparedExactlyAndReadAsUtf8) {
    const TestWindow lowerCase(display(), {.title = "autocad 2000"});
    const TestWindow japanese(display(), {.title = "測量図 - 現場１", .netWmNameOnly = true});

    EXPECT_THROW(activateWindow("AutoCAD"), X11Error);
    activateWindow("測量図");
    EXPECT_EQ(focusedWindow(display()), japanese.window());
}

TEST(NoDisplay, IsReportedByBothActivationAndTyping) {
    // Unset, and a display where no server listens.
    for (const std::optional<std::string>& name : {std::optional<std::string>(), {":4095"}}) {
        const testing::ScopedEnvironment display("DISPLAY", name);
        EXPECT_THROW(activateWindow("AutoCAD"), NoDisplayError) << name.value_or("unset");
        EXPECT_THROW(typeKeys("line\r", KeyWait::untilProcessed), NoDisplayError);
    }
}

}  // namespace
}  // namespace zelanto::platform::x11

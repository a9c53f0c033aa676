#include "platform/cad_driver/x11/x11_driver.h"

// Before the X11 headers, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <X11/Xatom.h>

#include "tests/platform/cad_driver/x11/fake_cad.h"
#include "tests/platform/cad_driver/x11/test_window.h"
#include "tests/platform/cad_driver/x11/wait_until.h"
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

// Whether the window manager has put `window` in both maximized states.
bool isMaximized(Display* display, Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), 0, 64, False,
                       XA_ATOM, &type, &format, &count, &after, &data);
    int states = 0;
    for (unsigned long i = 0; i < count; ++i) {
        const Atom state = reinterpret_cast<const Atom*>(data)[i];
        states += state == XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False) ||
                  state == XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False);
    }
    XFree(data);
    return states == 2;
}

using WindowStateTest = testing::X11Test;

// The help viewer puts its own name before the help's title.
TEST_F(WindowStateTest, WindowWhoseTitleEndsWithTheTextIsMaximizedAndNoOther) {
    withWindowManager();
    const TestWindow notes(display(), {.title = "ZELANTO ヘルプ.txt - Mousepad"});
    const TestWindow viewer(display(),
                            {.title = "xCHM v. 1.35: ZELANTO ヘルプ", .netWmNameOnly = true});
    const TestWindow other(display(), {.title = "ZELANTO"});

    EXPECT_EQ(maximizeWindowTitleEnding("ZELANTO ヘルプ"), WindowState::asked);

    EXPECT_TRUE(testing::waitUntil([&] { return isMaximized(display(), viewer.window()); }));
    EXPECT_FALSE(isMaximized(display(), notes.window()));
    EXPECT_FALSE(isMaximized(display(), other.window()));
    EXPECT_EQ(maximizeWindowTitleEnding("ZELANTO ヘルプ"), WindowState::maximized);
    EXPECT_EQ(maximizeWindowTitleEnding("no such window"), WindowState::absent);
}

}  // namespace
}  // namespace zelanto::platform::x11

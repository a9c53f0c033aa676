#include "platform/cad_driver/x11/window_state.h"

// Before the X11 headers, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <X11/Xatom.h>

#include "tests/platform/cad_driver/x11/test_window.h"
#include "tests/platform/cad_driver/x11/wait_until.h"
#include "tests/platform/cad_driver/x11/x11_test.h"

namespace zelanto::platform::x11 {
namespace {

using testing::TestWindow;

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

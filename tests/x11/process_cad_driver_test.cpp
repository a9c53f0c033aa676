#include "platform/qt/process_cad_driver.h"

// Before the X11 headers, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <signal.h>

#include "cad/plot_keys.h"
#include "tests/fake_cad/fake_cad_title.h"
#include "tests/platform/scoped_environment.h"
#include "tests/x11/test_window.h"
#include "tests/x11/x11_test.h"

namespace zelanto::platform {
namespace {

using ProcessCadDriverOnX11 = testing::X11Test;

// The program started detached is no child of the test: it is found by the PID on its window.
pid_t windowPid(Display* display, Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False,
                       XA_CARDINAL, &type, &format, &count, &after, &data);
    const pid_t pid = count == 1 ? static_cast<pid_t>(*reinterpret_cast<long*>(data)) : -1;
    XFree(data);
    return pid;
}

TEST_F(ProcessCadDriverOnX11, StartsTheCadProgramActivatesItsWindowAndTypesIntoIt) {
    const auto log = folder_ / "fakecad.log";
    const testing::ScopedEnvironment logPath("FAKECAD_LOG", log.string());
    ProcessCadDriver driver;

    driver.start(ZELANTO_FAKECAD);
    const Window window = testing::waitForWindow(display(), fakecad::kTitle);
    ASSERT_NE(window, None);
    driver.activate("AutoCAD");
    driver.sendKeys(cad::kCoordinateSystemTurnZ, false);
    driver.sendKeys(cad::runScriptKeys("点名.scr"), true);

    EXPECT_EQ(testing::readBytes(log),
              cad::kCoordinateSystemTurnZ + cad::runScriptKeys("点名.scr"));
    kill(windowPid(display(), window), SIGTERM);
}

}  // namespace
}  // namespace zelanto::platform

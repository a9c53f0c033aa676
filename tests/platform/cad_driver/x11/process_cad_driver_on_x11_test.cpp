#include "platform/cad_driver/process_cad_driver.h"

// Before the X11 headers, whose macros (None, Bool) clash with their names.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include "tests/platform/cad_driver/x11/qt_on_display.h"

#include <X11/Xatom.h>

#include "cad/cad_program.h"
#include "cad/plot.h"
#include "platform/cad_driver/x11/display.h"
#include "platform/cad_driver/x11/x11_driver.h"
#include "tests/fake_cad/fake_cad_title.h"
#include "tests/platform/cad_driver/x11/process.h"
#include "tests/platform/cad_driver/x11/test_window.h"
#include "tests/platform/cad_driver/x11/wait_until.h"
#include "tests/platform/cad_driver/x11/x11_test.h"
#include "tests/scoped_environment.h"

namespace zelanto::platform {
namespace {

class ProcessCadDriverOnX11 : public testing::X11Test {
protected:
    std::filesystem::path log() const { return folder_ / "fakecad.log"; }

    // A shell script that starts the fake CAD program as its child, as many CAD programs are
    // started.
    std::filesystem::path launcherScript() const {
        const auto script = folder_ / "mycad";
        testing::writeBytes(script, std::string("#!/bin/sh\n\"") + ZELANTO_FAKECAD + "\"\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
        return script;
    }

    bool isMaximized(Window window) {
        const auto states = x11::windowProperty(display(), window, "_NET_WM_STATE", XA_ATOM)
                                .value_or(std::vector<unsigned long>{});
        const auto holds = [&](const char* state) {
            return std::count(states.begin(), states.end(), XInternAtom(display(), state, False)) ==
                   1;
        };
        return holds("_NET_WM_STATE_MAXIMIZED_VERT") && holds("_NET_WM_STATE_MAXIMIZED_HORZ");
    }
};

TEST_F(ProcessCadDriverOnX11, StartsTheCadProgramActivatesItsWindowAndTypesIntoIt) {
    const testing::ScopedEnvironment logPath("FAKECAD_LOG", log().string());
    ProcessCadDriver driver;

    driver.start(ZELANTO_FAKECAD, {});
    const Window window = testing::waitForWindow(display(), fakecad::kTitle);
    ASSERT_NE(window, None);
    driver.activateCad(cad::kScriptRunningCadTitles);
    driver.sendKeys(cad::kCoordinateSystemTurnZ, false);
    driver.sendKeys(cad::runScriptKeys("点名.scr"), true);

    EXPECT_EQ(testing::readBytes(log()),
              cad::kCoordinateSystemTurnZ + cad::runScriptKeys("点名.scr"));
    EXPECT_TRUE(testing::endWindowOwner(display(), window));
}

TEST_F(ProcessCadDriverOnX11, TypesIntoTheWindowOfTheProgramItStartedWhateverItsTitle) {
    withWindowManager();
    const testing::ScopedEnvironment logPath("FAKECAD_LOG", log().string());
    const testing::ScopedEnvironment title("FAKECAD_TITLE", "MyCAD 1.0");
    const testing::TestWindow decoy(display(), {.title = "AutoCAD 2000"});
    ProcessCadDriver driver;

    driver.start(launcherScript(), {});
    const Window window = testing::waitForWindow(display(), "MyCAD 1.0");
    ASSERT_NE(window, None);
    testing::focus(display(), decoy.window());
    driver.activateCad(cad::kScriptRunningCadTitles);
    driver.sendKeys(cad::runScriptKeys("/tmp/orvik.scr"), true);

    EXPECT_EQ(testing::readBytes(log()), cad::runScriptKeys("/tmp/orvik.scr"));
    EXPECT_TRUE(testing::endWindowOwner(display(), window));
}

// A window titled like a CAD program: its title equals the name or begins with it. An editor
// that shows a file named after one is none.
TEST_F(ProcessCadDriverOnX11, FallsBackToAWindowTitledLikeAKnownCadProgram) {
    const testing::TestWindow editor(display(), {.title = "*AutoCAD_memo.txt - Mousepad"});
    ProcessCadDriver driver;
    EXPECT_THROW(driver.activateCad(cad::kScriptRunningCadTitles), CadDriverError);

    const testing::TestWindow cad(display(), {.title = "BricsCAD V23 - [Drawing1.dwg]"});
    driver.activateCad(cad::kScriptRunningCadTitles);
    EXPECT_EQ(testing::focusedWindow(display()), cad.window());
}

TEST_F(ProcessCadDriverOnX11, SaysWhenNeitherTheStartedProgramNorAKnownTitleIsThere) {
    const testing::TestWindow other(display(), {.title = "Editor"});
    ProcessCadDriver driver;
    driver.start("/bin/true", {});

    EXPECT_THROW(driver.activateCad(cad::kScriptRunningCadTitles), CadDriverError);
}

TEST_F(ProcessCadDriverOnX11, MaximizesTheStartedProgramsWindowWhenItAppears) {
    withWindowManager();
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    const testing::ScopedEnvironment logPath("FAKECAD_LOG", log().string());
    ProcessCadDriver driver;

    driver.start(launcherScript(), {});
    const Window window = testing::waitForWindow(display(), fakecad::kTitle);
    ASSERT_NE(window, None);
    EXPECT_TRUE(testing::waitUntil([&] {
        QCoreApplication::processEvents();
        return isMaximized(window) && testing::focusedWindow(display()) == window;
    }));
    EXPECT_TRUE(testing::endWindowOwner(display(), window));
}

// Only the windows of an earlier start of the same program are asked to close; a CAD program that
// the user started stays.
TEST_F(ProcessCadDriverOnX11, ClosesTheEarlierStartOfTheSameProgramOnly) {
    const testing::ScopedEnvironment logPath("FAKECAD_LOG", log().string());
    std::optional<testing::ScopedEnvironment> title;
    const auto started = [&](const std::string& windowTitle, const auto& start) {
        title.emplace("FAKECAD_TITLE", windowTitle);
        start();
        return testing::waitForWindow(display(), windowTitle);
    };
    std::optional<testing::Process> usersOwn;
    const Window users =
        started("User's CAD", [&] { usersOwn.emplace(std::vector<std::string>{ZELANTO_FAKECAD}); });
    ProcessCadDriver driver;
    const Window empty = started("Empty", [&] { driver.start(ZELANTO_FAKECAD, {}); });
    const Window drawing = started("Drawing", [&] { driver.start(ZELANTO_FAKECAD, {}); });
    ASSERT_NE(users, None);
    ASSERT_NE(empty, None);
    ASSERT_NE(drawing, None);

    driver.closeEarlierStarts();

    EXPECT_TRUE(testing::waitUntil([&] { return !testing::isViewable(display(), empty); }));
    EXPECT_TRUE(testing::isViewable(display(), users));
    EXPECT_TRUE(testing::endWindowOwner(display(), drawing));
}

// A window that the window manager never maximizes (a splash of a fixed size) is asked once, so
// the user who goes back to this program keeps the focus there.
TEST_F(ProcessCadDriverOnX11, LeavesTheFocusWithTheUserWhoWentBackFromAWindowNeverMaximized) {
    withWindowManager();
    const testing::QtOnDisplay qt;
    QWindow zelanto;
    zelanto.setTitle("ZELANTO");
    zelanto.resize(200, 100);
    ASSERT_TRUE(qt.showActive(zelanto));
    const testing::ScopedEnvironment logPath("FAKECAD_LOG", log().string());
    const testing::ScopedEnvironment fixedSize("FAKECAD_FIXED_SIZE", "1");
    ProcessCadDriver driver;

    driver.start(ZELANTO_FAKECAD, {});
    const Window window = testing::waitForWindow(display(), fakecad::kTitle);
    ASSERT_NE(window, None);
    ASSERT_TRUE(testing::waitUntil(
        [&] { return !qt.isActive(zelanto) && testing::focusedWindow(display()) == window; }));
    // Back through the window manager, as with Alt+Tab.
    x11::activateWindow("ZELANTO");
    EXPECT_TRUE(testing::waitUntil([&] {
        QCoreApplication::processEvents();
        return !driver.watchingWindows();
    }));
    EXPECT_TRUE(qt.isActive(zelanto));
    EXPECT_FALSE(isMaximized(window));
    EXPECT_TRUE(testing::endWindowOwner(display(), window));
}

}  // namespace
}  // namespace zelanto::platform

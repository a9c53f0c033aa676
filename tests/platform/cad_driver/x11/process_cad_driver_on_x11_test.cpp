#include "platform/cad_driver/process_cad_driver.h"

// Before the X11 headers, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include "cad/plot_keys.h"
#include "tests/fake_cad/fake_cad_title.h"
#include "tests/platform/cad_driver/x11/test_window.h"
#include "tests/platform/cad_driver/x11/x11_test.h"
#include "tests/scoped_environment.h"

namespace zelanto::platform {
namespace {

using ProcessCadDriverOnX11 = testing::X11Test;

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
    EXPECT_TRUE(testing::endWindowOwner(display(), window));
}

}  // namespace
}  // namespace zelanto::platform

#include "platform/cad_driver/process_cad_driver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/scoped_environment.h"
#include "tests/temp_folder.h"

namespace zelanto::platform {
namespace {

using ::testing::HasSubstr;
using testing::TempFolder;
using ::testing::ThrowsMessage;

TEST(ProcessCadDriver, StartsAnExecutable) {
    ProcessCadDriver driver;
    EXPECT_NO_THROW(driver.start("/bin/true", {}));
}

TEST(ProcessCadDriver, ReportsAtOnceWhatCannotBeStarted) {
    TempFolder folder;
    testing::writeBytes(folder / "acad.exe", "not a program");
    ProcessCadDriver driver;

    EXPECT_THROW(driver.start("", {}), CadDriverError);
    EXPECT_THROW(driver.start(folder / "missing.exe", {}), CadDriverError);
    EXPECT_THROW(driver.start(folder.path(), {}), CadDriverError);
    EXPECT_THROW(driver.start(folder / "acad.exe", {}), CadDriverError);
}

TEST(ProcessCadDriver, SaysThatTheWindowCannotBeDrivenWithoutAnX11Display) {
    const testing::ScopedEnvironment noDisplay("DISPLAY", std::nullopt);
    ProcessCadDriver driver;

    EXPECT_THAT([&] { driver.activate("AutoCAD"); },
                ThrowsMessage<CadDriverError>(HasSubstr("without an X11 display")));
    const std::string_view titles[] = {"AutoCAD"};
    EXPECT_THAT([&] { driver.activateCad(titles); },
                ThrowsMessage<CadDriverError>(HasSubstr("without an X11 display")));
    EXPECT_THAT([&] { driver.sendKeys("line\r", true); },
                ThrowsMessage<CadDriverError>(HasSubstr("without an X11 display")));
}

}  // namespace
}  // namespace zelanto::platform

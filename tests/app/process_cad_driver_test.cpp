#include "platform/qt/process_cad_driver.h"

#include <gtest/gtest.h>

#include "tests/temp_folder.h"

namespace zelanto::platform {
namespace {

using testing::TempFolder;

TEST(ProcessCadDriver, StartsAnExecutable) {
    ProcessCadDriver driver;
    EXPECT_NO_THROW(driver.start("/bin/true"));
}

TEST(ProcessCadDriver, ReportsAtOnceWhatCannotBeStarted) {
    TempFolder folder;
    testing::writeBytes(folder / "acad.exe", "not a program");
    ProcessCadDriver driver;

    EXPECT_THROW(driver.start(""), CadDriverError);
    EXPECT_THROW(driver.start(folder / "missing.exe"), CadDriverError);
    EXPECT_THROW(driver.start(folder.path()), CadDriverError);
    EXPECT_THROW(driver.start(folder / "acad.exe"), CadDriverError);
}

TEST(ProcessCadDriver, CannotDriveTheWindowYet) {
    ProcessCadDriver driver;
    EXPECT_THROW(driver.activate("CAD"), CadDriverError);
    EXPECT_THROW(driver.sendKeys("line\r", true), CadDriverError);
}

}  // namespace
}  // namespace zelanto::platform

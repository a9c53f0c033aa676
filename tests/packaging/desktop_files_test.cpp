// The menu entry and the SIM file type as the desktop's own tools read them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/e2e/child_process.h"
#include "tests/packaging/key_file.h"
#include "tests/temp_folder.h"

namespace zelanto::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kPackaging = ZELANTO_PACKAGING;

// The name the package installs the menu entry under.
const std::string kMenuEntry = ZELANTO_APP_ID ".desktop";

// A data folder of the user's own with the SIM type and the menu entry installed in it, as the
// package installs them into /usr/share.
class DesktopFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(home / "mime/packages");
        fs::copy_file(kPackaging / "zelanto.xml", home / "mime/packages/zelanto.xml");
        ASSERT_EQ(runShell("update-mime-database " + home.string() + "/mime").status, 0);
        fs::create_directories(home / "applications");
        fs::copy_file(kPackaging / "zelanto.desktop", home / "applications" / kMenuEntry);
        ASSERT_EQ(runShell("update-desktop-database " + (home / "applications").string()).status,
                  0);
    }

    // `command` with the desktop's lookups limited to that folder and the system's own.
    ShellResult inThisDesktop(const std::string& command) {
        return runShell(
            "XDG_DATA_HOME='" + home.string() + "' XDG_DATA_DIRS=/usr/share XDG_CONFIG_HOME='" +
            (folder / "config").string() + "' XDG_CURRENT_DESKTOP= " + command + " 2>/dev/null");
    }
    std::string typeOf(const std::string& name) {
        writeBytes(folder / name, "G00,01,test,\r\nA00,\r\nA01,1,P1,1.5,2.5,3,\r\nA99,\r\n");
        return inThisDesktop("xdg-mime query filetype '" + (folder / name).string() + "'").output;
    }

    TempFolder folder;
    fs::path home = folder / "data";
};

TEST_F(DesktopFilesTest, MenuEntryPassesTheValidatorAndHandsTheFileOnItsCommandLine) {
    const ShellResult validation =
        runShell("desktop-file-validate '" + (kPackaging / "zelanto.desktop").string() + "' 2>&1");
    EXPECT_EQ(validation.status, 0);
    EXPECT_EQ(validation.output, "");

    const std::string entry = readBytes(kPackaging / "zelanto.desktop");
    EXPECT_EQ(keyValue(entry, "Name"), "ZELANTO");
    EXPECT_EQ(keyValue(entry, "Exec"), "zelanto %f");
    EXPECT_EQ(keyValue(entry, "Icon"), "zelanto");
    EXPECT_FALSE(keyValue(entry, "GenericName\\[ja\\]").empty());
    EXPECT_FALSE(keyValue(entry, "Comment\\[ja\\]").empty());
}

TEST_F(DesktopFilesTest, SimFilesAreTypedByTheNamesTheProgramTakesAndOpenWithIt) {
    EXPECT_EQ(typeOf("points.sim"), "application/x-sima\n");
    EXPECT_EQ(typeOf("POINTS.SIM"), "application/x-sima\n");
    EXPECT_EQ(typeOf("points.txt"), "text/plain\n");
    // The file manager's own view (GIO): a name the program refuses is no SIM file.
    writeBytes(folder / "points.Sim", "A01,1,P1,1.5,2.5,3,\r\n");
    EXPECT_NE(inThisDesktop("gio info -a standard::content-type '" +
                            (folder / "points.Sim").string() + "'")
                  .output.find("text/plain"),
              std::string::npos);

    EXPECT_EQ(inThisDesktop("xdg-mime query default application/x-sima").output, kMenuEntry + "\n");
}

}  // namespace
}  // namespace zelanto::testing

#include "cad/desktop_entry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/temp_folder.h"

namespace zelanto::cad {
namespace {

TEST(DesktopEntry, ExecProgramIsTheFirstArgumentUnquoted) {
    EXPECT_EQ(execProgram("librecad %F"), "librecad");
    EXPECT_EQ(execProgram("  /usr/bin/zwcad  --new"), "/usr/bin/zwcad");
    EXPECT_EQ(execProgram(R"("/opt/My CAD/bin/cad" %U)"), "/opt/My CAD/bin/cad");
    EXPECT_EQ(execProgram(R"("/opt/a\"b/cad" --x)"), R"(/opt/a"b/cad)");
    // The value's own escapes come first: \s is a blank, \\\\ one backslash inside quotes.
    EXPECT_EQ(execProgram(R"("/opt/my\scad" %f)"), "/opt/my cad");
    EXPECT_EQ(execProgram(R"(/opt/my\scad)"), "/opt/my");
    EXPECT_EQ(execProgram(R"("/opt/x\\\\y")"), R"(/opt/x\y)");
    EXPECT_EQ(execProgram("%%cad %f"), "%cad");
    EXPECT_EQ(execProgram("%F"), "");
    EXPECT_EQ(execProgram(""), "");
}

class DesktopLauncher : public ::testing::Test {
protected:
    std::filesystem::path launcher(const std::string& text) {
        testing::writeBytes(folder_ / "cad.desktop", text);
        return folder_ / "cad.desktop";
    }
    std::filesystem::path program(const std::string& name) {
        std::filesystem::create_directories(folder_ / "bin");
        testing::writeBytes(folder_ / "bin" / name, "#!/bin/sh\n");
        chmod((folder_ / "bin" / name).c_str(), 0755);
        return folder_ / "bin" / name;
    }
    std::string searchPath() const { return "/nonexistent:" + (folder_ / "bin").string(); }

    testing::TempFolder folder_;
};

TEST_F(DesktopLauncher, OtherFilesAreNoLaunchers) {
    EXPECT_FALSE(launcherProgram(program("librecad"), searchPath()));
}

TEST_F(DesktopLauncher, ABareCommandIsLookedUpOnThePath) {
    const auto cad = program("librecad");
    const auto file = launcher(
        "[Desktop Entry]\r\nName=LibreCAD\r\nTryExec=librecad\r\nExec = librecad %F\r\n"
        "[Desktop Action New]\r\nExec=other --new\r\n");
    EXPECT_EQ(launcherProgram(file, searchPath()), cad);
}

TEST_F(DesktopLauncher, OnlyTheEntryGroupCountsAndAPathIsTakenAsItIs) {
    const auto file = launcher(
        "[Desktop Action New]\nExec=other\n[Desktop Entry]\nExecArgs=x\nExec=/opt/cad/run %f\n");
    EXPECT_EQ(launcherProgram(file, searchPath()), std::filesystem::path("/opt/cad/run"));
}

TEST_F(DesktopLauncher, AProgramThatIsNotThereGivesAnEmptyPath) {
    EXPECT_EQ(launcherProgram(launcher("[Desktop Entry]\nExec=nosuchcad %F\n"), searchPath()),
              std::filesystem::path());
    EXPECT_EQ(launcherProgram(launcher("[Desktop Entry]\nName=x\n"), searchPath()),
              std::filesystem::path());
}

}  // namespace
}  // namespace zelanto::cad

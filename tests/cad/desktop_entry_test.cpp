#include "cad/desktop_entry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "cad/cad_program.h"
#include "tests/temp_folder.h"

namespace zelanto::cad {
namespace {

std::string execProgram(std::string_view exec) {
    return execTarget(exec).program;
}

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

// Launchers as desktops install them: env setting the environment, and flatpak applications (the
// form is that of a flatpak export, with its file forwarding).
TEST(DesktopEntry, EnvIsFollowedToItsProgramAndFlatpakNamesItsApplication) {
    EXPECT_EQ(execProgram("env VAR=value /opt/cad/cad %F"), "/opt/cad/cad");
    EXPECT_EQ(execProgram("/usr/bin/env -u DISPLAY A=1 B=x/y QT_SCALE=2 cad --new"), "cad");
    EXPECT_EQ(execProgram("env -i -C /tmp env LANG=C /opt/a=b/cad"), "/opt/a=b/cad");
    EXPECT_EQ(execProgram("env A=1"), "");
    const ExecTarget flatpak = execTarget(
        "/usr/bin/flatpak run --branch=stable --arch=x86_64 --command=librecad "
        "--file-forwarding org.librecad.librecad @@ %F @@");
    EXPECT_EQ(flatpak.flatpakApp, "org.librecad.librecad");
    EXPECT_EQ(flatpak.program, "");
    EXPECT_EQ(execTarget("env GDK_BACKEND=x11 flatpak run org.example.Cad//beta").flatpakApp,
              "org.example.Cad");
    EXPECT_EQ(execProgram("flatpak list"), "flatpak");
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
    ProgramSearch searchPath() {
        path_ = "/nonexistent:" + (folder_ / "bin").string();
        return {path_, {folder_ / "flatpak-user", folder_ / "flatpak-system"}};
    }

    testing::TempFolder folder_;
    std::string path_;
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

// flatpak makes a command for each application it installs, which takes the application's
// arguments: the launcher stands for that command.
TEST_F(DesktopLauncher, AFlatpakApplicationIsTheCommandFlatpakMadeForIt) {
    const auto file = launcher(
        "[Desktop Entry]\nExec=/usr/bin/flatpak run --branch=stable --file-forwarding "
        "org.librecad.librecad @@ %F @@\n");
    EXPECT_EQ(launcherProgram(file, searchPath()), std::filesystem::path());
    std::filesystem::create_directories(folder_ / "flatpak-system");
    testing::writeBytes(folder_ / "flatpak-system/org.librecad.librecad", "#!/bin/sh\n");
    chmod((folder_ / "flatpak-system/org.librecad.librecad").c_str(), 0755);
    EXPECT_EQ(launcherProgram(file, searchPath()),
              folder_ / "flatpak-system/org.librecad.librecad");
    EXPECT_TRUE(opensDrawingsOnly(*launcherProgram(file, searchPath())));
}

}  // namespace
}  // namespace zelanto::cad

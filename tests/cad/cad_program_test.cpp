#include "cad/cad_program.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/temp_folder.h"

namespace zelanto::cad {
namespace {

TEST(CadPrograms, DrawingOnlyProgramsAreKnownByTheirFileName) {
    EXPECT_TRUE(opensDrawingsOnly("/usr/bin/librecad"));
    EXPECT_TRUE(opensDrawingsOnly("/opt/LibreCAD-2.2.0-x86_64.AppImage"));
    EXPECT_FALSE(opensDrawingsOnly("/opt/bricscad/bricscad"));
    EXPECT_FALSE(opensDrawingsOnly("/opt/librecad/bin/acad.exe"));
    EXPECT_FALSE(opensDrawingsOnly(""));

    testing::TempFolder folder;
    testing::writeBytes(folder / "librecad", "");
    std::filesystem::create_symlink(folder / "librecad", folder / "cad");
    EXPECT_TRUE(opensDrawingsOnly(folder / "cad"));
}

TEST(CadPath, ExecutableProgramsOrNamesEndingInExeAreAccepted) {
    testing::TempFolder folder;
    const auto make = [&](const std::string& name, bool executable) {
        testing::writeBytes(folder / name, "#!/bin/sh\n");
        chmod((folder / name).c_str(), executable ? 0755 : 0644);
        return folder / name;
    };
    EXPECT_TRUE(isAcceptedCadProgram(make("zwcad", true)));
    EXPECT_TRUE(isAcceptedCadProgram(make("acad.EXE", false)));
    EXPECT_FALSE(isAcceptedCadProgram(make("notes.txt", false)));
    EXPECT_FALSE(isAcceptedCadProgram(make(".hidden", true)));
    EXPECT_FALSE(isAcceptedCadProgram(folder.path()));
    EXPECT_FALSE(isAcceptedCadProgram(folder / "missing"));

    EXPECT_TRUE(showsAsChosenCadProgram(folder / "zwcad"));
    EXPECT_FALSE(showsAsChosenCadProgram(folder / "acad.EXE"));
    EXPECT_TRUE(showsAsChosenCadProgram(make("acad.exe", false)));
}

}  // namespace
}  // namespace zelanto::cad

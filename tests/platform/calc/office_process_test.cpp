#include "platform/calc/office_process.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/temp_folder.h"

namespace zelanto::platform::calc {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

TEST(OfficeProcess, FindsSofficeOnThePathWithItsLinksResolvedWhereCalcIsInstalled) {
    TempFolder folder;
    fs::create_directories(folder / "program");
    fs::create_directories(folder / "bin");
    writeBytes(folder / "program" / "soffice", "#!/bin/sh\n");
    fs::permissions(folder / "program" / "soffice", fs::perms::owner_all);
    fs::create_symlink(folder / "program" / "soffice", folder / "bin" / "soffice");
    const std::string path = "/nonexistent:" + (folder / "bin").string();
    EXPECT_EQ(findOffice(path), std::nullopt);

    writeBytes(folder / "program" / "libsclo.so", "");
    EXPECT_EQ(findOffice(path), fs::canonical(folder / "program" / "soffice"));
    EXPECT_EQ(findOffice("/nonexistent:" + folder.path().string()), std::nullopt);
    EXPECT_EQ(findOffice(""), std::nullopt);
}

TEST(OfficeProcess, StartsOurOwnInvisibleInstanceOnAPipeOfItsOwn) {
    OfficeSettings settings;
    settings.program = "/usr/lib/libreoffice/program/soffice";
    settings.profile = "/home/測量 士/.cache/zelanto/libreoffice";
    const std::string pipe = uniquePipeName();
    EXPECT_NE(pipe, uniquePipeName());

    EXPECT_EQ(officeArguments(settings, pipe),
              (std::vector<std::string>{
                  "/usr/lib/libreoffice/program/soffice",
                  "-env:UserInstallation=file:///home/%E6%B8%AC%E9%87%8F%20%E5%A3%AB/.cache/"
                  "zelanto/libreoffice",
                  "--invisible", "--norestore", "--nologo", "--nodefault",
                  "--accept=pipe,name=" + pipe + ";urp;StarOffice.ComponentContext"}));
    settings.headless = true;
    EXPECT_EQ(officeArguments(settings, pipe).back(), "--headless");
}

TEST(OfficeProfile, IsSeededOnceWithoutFirstStartDialogsAndThenLeftAlone) {
    TempFolder folder;
    seedOfficeProfile(folder / "profile");
    const auto settings = folder / "profile" / "user" / "registrymodifications.xcu";
    const std::string seeded = readBytes(settings);
    for (const char* entry : {
             "<item oor:path=\"/org.openoffice.Office.Common/Misc\"><prop "
             "oor:name=\"ShowTipOfTheDay\" oor:op=\"fuse\"><value>false</value></prop></item>",
             "<prop oor:name=\"FirstRun\" oor:op=\"fuse\"><value>false</value>",
             "<prop oor:name=\"ooSetupLastVersion\" oor:op=\"fuse\"><value>99.0</value>",
             "<prop oor:name=\"LastTimeDonateShown\" oor:op=\"fuse\"><value>4102444800</value>",
         }) {
        EXPECT_NE(seeded.find(entry), std::string::npos) << entry;
    }
    writeBytes(settings, "LibreOffice's own");
    seedOfficeProfile(folder / "profile");
    EXPECT_EQ(readBytes(settings), "LibreOffice's own");
}

}  // namespace
}  // namespace zelanto::platform::calc

#include "app/services.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/app/fake_outside.h"
#include "tests/app/fake_prompts.h"
#include "tests/scoped_environment.h"
#include "tests/temp_folder.h"

namespace zelanto::app {
namespace {

using testing::ScopedEnvironment;
using testing::TempFolder;
namespace fs = std::filesystem;

// The user's folders named by the variables, inside a temporary folder.
class ProgramFilesTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScopedEnvironment config{"XDG_CONFIG_HOME", (folder / "config").string()};
    ScopedEnvironment data{"XDG_DATA_HOME", (folder / "data").string()};
};

TEST_F(ProgramFilesTest, FolderThatMayBeWrittenKeepsEverything) {
    fs::create_directories(folder / "tools/bin");  // a "bin" alone is no installation
    for (const fs::path& program : {folder.path(), folder / "tools/bin"}) {
        const ProgramFiles files = locateProgramFiles(program);
        EXPECT_EQ(files.moduleFolder, program);
        EXPECT_EQ(files.helpFile, program / "zelanto.CHM");
        EXPECT_EQ(files.settingsFile(), program / "zelanto.ini");
        EXPECT_EQ(files.dataFolder.path(), program);
        EXPECT_FALSE(files.settingsFolder.isUserFolder());
        EXPECT_FALSE(files.dataFolder.isUserFolder());
    }
}

TEST_F(ProgramFilesTest, InstallationReadsBelowItsPrefixAndWritesIntoTheUsersFolders) {
    const auto prefix = folder / "usr";
    fs::create_directories(prefix / "bin");
    fs::create_directories(prefix / "share/zelanto");
    // Even where the user (root, say) might write into the program folder.
    const ProgramFiles files = locateProgramFiles(prefix / "bin");
    EXPECT_EQ(files.moduleFolder, prefix / ZELANTO_INSTALL_MODULE_DIR);
    EXPECT_EQ(files.helpFile, prefix / "share/zelanto/zelanto.CHM");
    EXPECT_EQ(files.settingsFile(), folder / "config/zelanto/zelanto.ini");
    EXPECT_EQ(files.dataFolder.path(), folder / "data/zelanto");
    EXPECT_TRUE(files.settingsFolder.isUserFolder());
    EXPECT_TRUE(files.dataFolder.isUserFolder());
}

TEST_F(ProgramFilesTest, MissingFolderSendsTheWrittenFilesToTheUsersFolders) {
    const auto gone = folder / "gone";  // nobody, root included, writes into a missing folder
    const ProgramFiles files = locateProgramFiles(gone);
    EXPECT_EQ(files.helpFile, gone / "zelanto.CHM");
    EXPECT_EQ(files.settingsFile(), folder / "config/zelanto/zelanto.ini");
    EXPECT_EQ(files.dataFolder.path(), folder / "data/zelanto");
}

TEST_F(ProgramFilesTest, ReadOnlyFolderSendsTheWrittenFilesToTheUsersFolders) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into any folder";
    }
    fs::create_directory(folder / "read-only");
    fs::permissions(folder / "read-only", fs::perms::owner_read | fs::perms::owner_exec);
    const ProgramFiles files = locateProgramFiles(folder / "read-only");
    EXPECT_EQ(files.helpFile, folder / "read-only/zelanto.CHM");
    EXPECT_EQ(files.dataFolder.path(), folder / "data/zelanto");
}

TEST_F(ProgramFilesTest, WithoutAHomeTheProgramFolderIsTheOnlyPlaceLeft) {
    ScopedEnvironment home("HOME", std::nullopt);
    ScopedEnvironment noData("XDG_DATA_HOME", std::nullopt);
    const ProgramFiles files = locateProgramFiles(folder / "gone");
    EXPECT_EQ(files.settingsFile(), folder / "gone/zelanto.ini");
    EXPECT_EQ(files.dataFolder.path(), folder / "gone");
}

TEST_F(ProgramFilesTest, OnlyAUsersFolderIsMadeBeforeAWrite) {
    OutputFolder::programFolder(folder / "program").prepare();
    EXPECT_FALSE(fs::exists(folder / "program"));  // the write fails and says so

    OutputFolder::userFolder(folder / "data/zelanto").prepare();
    EXPECT_TRUE(fs::is_directory(folder / "data/zelanto"));
    EXPECT_EQ(fs::status(folder / "data/zelanto").permissions(), fs::perms::owner_all);
}

TEST(SheetOpener, OpensTheFileAndTellsWhereItIsWhenNothingOpensIt) {
    testing::RecordingOpener opener;
    testing::FakePrompts prompts;
    const platform::Opener open = sheetOpener(opener, prompts);
    open("/cache/SIM座標データ.xlsx");
    EXPECT_EQ(opener.opened.size(), 1u);
    EXPECT_TRUE(prompts.shown.empty());

    opener.succeeds = false;
    open("/cache/SIM座標データ (2).xlsx");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].text.endsWith("\r\n/cache/SIM座標データ (2).xlsx"));
    EXPECT_EQ(prompts.shown[0].title, "ZELANTO");
}

}  // namespace
}  // namespace zelanto::app

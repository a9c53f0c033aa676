#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "base/file_system.h"
#include "tests/scoped_environment.h"
#include "tests/temp_folder.h"

namespace zelanto::base {
namespace {

using testing::ScopedEnvironment;

TEST(CacheFolder, TakesXdgCacheHomeElseTheHomeFolder) {
    ScopedEnvironment home("HOME", "/home/surveyor");
    {
        ScopedEnvironment cache("XDG_CACHE_HOME", "/var/cache/surveyor");
        EXPECT_EQ(zelantoCacheFolder(), "/var/cache/surveyor/zelanto");
    }
    for (const std::optional<std::string>& ignored :
         {std::optional<std::string>(), {""}, {"rel"}}) {
        ScopedEnvironment cache("XDG_CACHE_HOME", ignored);
        EXPECT_EQ(zelantoCacheFolder(), "/home/surveyor/.cache/zelanto");
    }
}

TEST(CacheFolder, WithoutEitherVariableThereIsNone) {
    ScopedEnvironment home("HOME", std::nullopt);
    ScopedEnvironment cache("XDG_CACHE_HOME", std::nullopt);
    EXPECT_THROW(zelantoCacheFolder(), FileError);
}

using testing::ScopedEnvironment;
using testing::TempFolder;
namespace fs = std::filesystem;

TEST(UserFolders, ConfigAndDataTakeTheirVariableElseTheirPlaceInTheHomeFolder) {
    ScopedEnvironment home("HOME", "/home/surveyor");
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", "/etc/surveyor");
        ScopedEnvironment data("XDG_DATA_HOME", "/srv/surveyor");
        EXPECT_EQ(zelantoConfigFolder(), "/etc/surveyor/zelanto");
        EXPECT_EQ(zelantoDataFolder(), "/srv/surveyor/zelanto");
    }
    for (const std::optional<std::string>& ignored :
         {std::optional<std::string>(), {""}, {"relative/data"}}) {
        ScopedEnvironment config("XDG_CONFIG_HOME", ignored);
        ScopedEnvironment data("XDG_DATA_HOME", ignored);
        EXPECT_EQ(zelantoConfigFolder(), "/home/surveyor/.config/zelanto");
        EXPECT_EQ(zelantoDataFolder(), "/home/surveyor/.local/share/zelanto");
    }
}

TEST(UserFolders, WithoutHomeOrVariableThereIsNone) {
    ScopedEnvironment home("HOME", "");
    ScopedEnvironment data("XDG_DATA_HOME", std::nullopt);
    EXPECT_THROW(zelantoDataFolder(), FileError);
}

TEST(UserFolders, MadeFoldersAreTheOwnersAloneAndExistingOnesAreLeftAsTheyAre) {
    TempFolder folder;
    fs::create_directory(folder / "home");
    fs::permissions(folder / "home", fs::perms::owner_all | fs::perms::group_read |
                                         fs::perms::group_exec | fs::perms::others_read |
                                         fs::perms::others_exec);
    const auto data = folder / "home/.local/share/zelanto";
    makeUserFolder(data);
    makeUserFolder(data);  // there already: nothing to do
    EXPECT_TRUE(fs::is_directory(data));
    EXPECT_EQ(fs::status(data).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(folder / "home/.local").permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(folder / "home").permissions() & fs::perms::others_read,
              fs::perms::others_read);
}

TEST(UserFolders, FolderThatCannotBeMadeIsAFileError) {
    TempFolder folder;
    testing::writeBytes(folder / "home", "a file, not a folder");
    EXPECT_THROW(makeUserFolder(folder / "home/.config/zelanto"), FileError);
}

}  // namespace

}  // namespace zelanto::base

#include "base/atomic_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/temp_folder.h"

namespace zelanto::base {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

size_t entriesIn(const std::filesystem::path& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(AtomicFile, ReplacesTheTargetOnlyWhenCommitted) {
    TempFolder folder;
    const auto target = folder / "orvik.sim";
    writeBytes(target, "old");
    {
        AtomicFile file(target);
        file.write("new ");
        EXPECT_EQ(readBytes(target), "old");
        file.write("content");
        file.commit();
    }
    EXPECT_EQ(readBytes(target), "new content");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(AtomicFile, AbandonedWriteLeavesTheOldFileAndNoLeftovers) {
    TempFolder folder;
    const auto target = folder / "orvik.scr";
    writeBytes(target, "old");
    {
        AtomicFile file(target);
        file.write("half");
    }
    EXPECT_EQ(readBytes(target), "old");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(AtomicFile, UnwritableFolderIsAFileError) {
    if (geteuid() == 0) {
        // root writes everywhere: use a folder that does not exist instead.
        TempFolder folder;
        EXPECT_THROW(writeFileAtomically(folder / "missing/orvik.sim", "x"), FileError);
        return;
    }
    TempFolder folder;
    std::filesystem::permissions(
        folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_THROW(writeFileAtomically(folder / "orvik.sim", "x"), FileError);
}

TEST(AtomicFile, TargetThatIsAFolderFailsAndStays) {
    TempFolder folder;
    std::filesystem::create_directory(folder / "orvik.sim");
    writeBytes(folder / "orvik.sim" / "inside", "keep");
    EXPECT_THROW(writeFileAtomically(folder / "orvik.sim", "x"), FileError);
    EXPECT_EQ(readBytes(folder / "orvik.sim" / "inside"), "keep");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(AtomicFile, AWriterThatOpensTheFileByNameReplacesTheTargetWhenItReturns) {
    TempFolder folder;
    writeBytes(folder / "orvik.dxf", "old");
    EXPECT_THROW(writeFileAtomically(folder / "orvik.dxf",
                                     [](const std::filesystem::path& temporary) {
                                         writeBytes(temporary, "half");
                                         throw std::runtime_error("stopped");
                                     }),
                 std::runtime_error);
    EXPECT_EQ(readBytes(folder / "orvik.dxf"), "old");
    EXPECT_EQ(entriesIn(folder.path()), 1u);

    writeFileAtomically(folder / "orvik.dxf", [&](const std::filesystem::path& temporary) {
        EXPECT_EQ(temporary.parent_path(), folder.path());
        writeBytes(temporary, "new");
    });
    EXPECT_EQ(readBytes(folder / "orvik.dxf"), "new");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

}  // namespace
}  // namespace zelanto::base

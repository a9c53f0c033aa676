#include "app/single_instance.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <memory>

#include "tests/app/qt_printers.h"
#include "tests/temp_folder.h"

namespace zelanto::app {
namespace {

using testing::TempFolder;

QString pathIn(const TempFolder& folder, const char* name) {
    return QString::fromStdString((folder / name).string());
}

TEST(SingleInstance, FirstCopyHoldsTheLockUntilItEnds) {
    TempFolder folder;
    auto first = std::make_unique<SingleInstance>(pathIn(folder, "zelanto.lock"));
    EXPECT_FALSE(first->anotherCopyRunning());
    EXPECT_FALSE(first->anotherCopyRunning()) << "asking again must not see itself";

    SingleInstance second(pathIn(folder, "zelanto.lock"));
    EXPECT_TRUE(second.anotherCopyRunning());

    first.reset();
    EXPECT_FALSE(second.anotherCopyRunning());
}

TEST(SingleInstance, LockThatCannotBeWrittenDoesNotCountAsAnotherCopy) {
    TempFolder folder;
    SingleInstance instance(pathIn(folder, "no-such-folder/zelanto.lock"));
    EXPECT_FALSE(instance.anotherCopyRunning());
}

TEST(SingleInstance, DefaultLockLivesInAFolderThatExists) {
    const QFileInfo lock(SingleInstance::defaultLockPath());
    EXPECT_EQ(lock.fileName(), "zelanto.lock");
    EXPECT_TRUE(lock.absoluteDir().exists());
}

}  // namespace
}  // namespace zelanto::app

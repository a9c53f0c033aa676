#include "platform/cad_driver/process_cad_driver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "tests/platform/cad_driver/x11/wait_until.h"
#include "tests/scoped_environment.h"
#include "tests/temp_folder.h"

extern char** environ;

namespace zelanto::platform {
namespace {

using ::testing::HasSubstr;
using testing::TempFolder;
using ::testing::ThrowsMessage;

TEST(ProcessCadDriver, StartsAnExecutable) {
    ProcessCadDriver driver;
    EXPECT_NO_THROW(driver.start("/bin/true", {}));
}

TEST(ProcessCadDriver, ReportsAtOnceWhatCannotBeStarted) {
    TempFolder folder;
    testing::writeBytes(folder / "acad.exe", "not a program");
    ProcessCadDriver driver;

    EXPECT_THROW(driver.start("", {}), CadDriverError);
    EXPECT_THROW(driver.start(folder / "missing.exe", {}), CadDriverError);
    EXPECT_THROW(driver.start(folder.path(), {}), CadDriverError);
    EXPECT_THROW(driver.start(folder / "acad.exe", {}), CadDriverError);
}

TEST(ProcessCadDriver, SaysThatTheWindowCannotBeDrivenWithoutAnX11Display) {
    const testing::ScopedEnvironment noDisplay("DISPLAY", std::nullopt);
    ProcessCadDriver driver;

    EXPECT_THAT([&] { driver.activate("AutoCAD"); },
                ThrowsMessage<CadDriverError>(HasSubstr("without an X11 display")));
    const std::string_view titles[] = {"AutoCAD"};
    EXPECT_THAT([&] { driver.activateCad(titles); },
                ThrowsMessage<CadDriverError>(HasSubstr("without an X11 display")));
    EXPECT_THAT([&] { driver.sendKeys("line\r", true); },
                ThrowsMessage<CadDriverError>(HasSubstr("without an X11 display")));
}

bool contains(const std::vector<pid_t>& pids, pid_t pid) {
    return std::find(pids.begin(), pids.end(), pid) != pids.end();
}

TEST(ProcessTree, HoldsTheRootAndTheChildrenOfItsChildren) {
    // A shell that starts a sleeping child of its own, as a launcher script does.
    char sh[] = "/bin/sh";
    char c[] = "-c";
    char script[] = "/bin/sleep 60 & wait";
    char* argv[] = {sh, c, script, nullptr};
    pid_t shell = 0;
    ASSERT_EQ(posix_spawn(&shell, sh, nullptr, nullptr, argv, environ), 0);

    std::vector<pid_t> tree;
    EXPECT_TRUE(testing::waitUntil([&] {
        tree = processTree(getpid());
        return tree.size() >= 3;
    }));
    EXPECT_EQ(tree.front(), getpid());
    EXPECT_TRUE(contains(tree, shell));
    const std::vector<pid_t> fromShell = processTree(shell);
    ASSERT_EQ(fromShell.size(), 2u);
    EXPECT_FALSE(contains(fromShell, getpid()));

    kill(fromShell[1], SIGKILL);
    waitpid(shell, nullptr, 0);
}

TEST(ProcessTree, AProcessThatIsGoneIsItsOwnTree) {
    EXPECT_EQ(processTree(999999999), std::vector<pid_t>{999999999});
}

}  // namespace
}  // namespace zelanto::platform

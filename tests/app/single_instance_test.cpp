#include "app/single_instance.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <future>
#include <memory>

#include "tests/app/fake_prompts.h"
#include "tests/app/form1_fixture.h"
#include "tests/app/qt_printers.h"
#include "tests/coords/sim_builder.h"
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

using namespace std::chrono_literals;

// A later copy's end runs on a thread of its own, as it would in its own process, while this
// thread's events serve the running copy's end.
template <typename Result>
Result whileServing(std::future<Result> later) {
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return later.wait_for(0ms) == std::future_status::ready; }, 20000));
    return later.get();
}

class FileHandOverTest : public ::testing::Test {
protected:
    QString socketPath() const {
        return QString::fromStdString((folder / "zelanto.socket").string());
    }

    TempFolder folder;
    QStringList received;
    HandOverAnswer answer = HandOverAnswer::Taken;
};

TEST_F(FileHandOverTest, RunningCopyGetsThePathWholeAndItsAnswerComesBack) {
    // A socket left by a copy that crashed is in the way at first.
    testing::writeBytes(folder / "zelanto.socket", "");
    HandOverServer server(socketPath(), [this](const QString& file) {
        received << file;
        return answer;
    });
    ASSERT_TRUE(server.isListening());
    const QString file = QString::fromUtf8("/home/測量/新しい\nフォルダ/a b.sim");

    EXPECT_EQ(whileServing(std::async(std::launch::async,
                                      [&] { return handOverFile(socketPath(), file, 10s); })),
              HandOverAnswer::Taken);
    answer = HandOverAnswer::Busy;
    EXPECT_EQ(whileServing(std::async(std::launch::async,
                                      [&] { return handOverFile(socketPath(), file, 10s); })),
              HandOverAnswer::Busy);
    EXPECT_EQ(received, (QStringList{file, file}));
}

TEST_F(FileHandOverTest, WithoutARunningCopyThereIsNoAnswer) {
    EXPECT_EQ(handOverFile(socketPath(), "/a.sim", 300ms), std::nullopt);
}

TEST_F(FileHandOverTest, SecondCopyTellsTheUserWhenTheRunningOneIsBusyOrSilent) {
    testing::FakePrompts prompts;
    HandOverServer server(socketPath(), [&](const QString&) { return answer; });

    EXPECT_EQ(
        whileServing(std::async(
            std::launch::async,
            [&] { return handOverToRunningCopy("/data/a.sim", prompts, socketPath(), 10s); })),
        0);
    EXPECT_TRUE(prompts.shown.empty());

    answer = HandOverAnswer::Busy;
    EXPECT_EQ(
        whileServing(std::async(
            std::launch::async,
            [&] { return handOverToRunningCopy("/data/b.sim", prompts, socketPath(), 10s); })),
        1);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].title, "ZELANTO");
    EXPECT_EQ(prompts.shown[0].text,
              "起動中の ZELANTO は作業中のため、次のファイルを開けませんでした。"
              "作業が終わってから、もう一度開いてください。\r\n/data/b.sim");

    EXPECT_EQ(handOverToRunningCopy("/data/c.sim", prompts, socketPath() + ".none", 300ms), 1);
    EXPECT_EQ(prompts.shown.back().text,
              "起動中の ZELANTO が応答しないため、次のファイルを開けませんでした。\r\n/data/c.sim");
}

TEST(SimFileArgument, FirstArgumentAsAnAbsolutePath) {
    const QString here = QDir::currentPath();
    EXPECT_EQ(simFileArgument({"zelanto"}), "");
    EXPECT_EQ(simFileArgument({"zelanto", ""}), "");
    EXPECT_EQ(simFileArgument({"zelanto", "/data/a.sim", "/data/b.sim"}), "/data/a.sim");
    EXPECT_EQ(simFileArgument({"zelanto", "points.sim"}), here + "/points.sim");
    EXPECT_EQ(simFileArgument({"zelanto", "file:///data/%E6%B8%AC%E9%87%8F%20a.sim"}),
              QString::fromUtf8("/data/測量 a.sim"));
}

using testing::simWithPoints;

class SimFileInboxTest : public testing::Form1Test {
protected:
    SimFileInbox inbox;
};

TEST_F(SimFileInboxTest, FileThatCameDuringTheSplashIsImportedOnceTheWindowIsShown) {
    EXPECT_EQ(inbox.deliver(path(file("a.sim", simWithPoints(2)))), HandOverAnswer::Taken);
    EXPECT_EQ(inbox.deliver(path(file("b.sim", simWithPoints(3)))), HandOverAnswer::Busy)
        << "one file waits already";

    form = std::make_unique<Form1>(services);
    inbox.attach(*form);
    EXPECT_EQ(inbox.deliver(path(folder / "b.sim")), HandOverAnswer::Busy) << "a.sim still waits";
    QCoreApplication::processEvents();
    EXPECT_TRUE(host.applications().empty());
    form->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return button("Command5")->isVisible(); }));
    EXPECT_EQ(cell(4, coords::kNameColumn), platform::CellValue("P2"));
    EXPECT_TRUE(cell(5, coords::kNameColumn).isEmpty());
    EXPECT_EQ(host.applications().size(), 1u);
}

TEST_F(SimFileInboxTest, FileForAShownWindowGoesStraightToIt) {
    Form1& w = start();
    inbox.attach(w);
    EXPECT_EQ(inbox.deliver(path(file("a.sim", simWithPoints(1)))), HandOverAnswer::Taken);
    ASSERT_TRUE(QTest::qWaitFor([&] { return button("Command5")->isVisible(); }));
    EXPECT_EQ(inbox.deliver(path(folder / "a.sim")), HandOverAnswer::Busy);
}

}  // namespace
}  // namespace zelanto::app

#include "app/module1.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QString>
#include <chrono>

#include "tests/app/fake_outside.h"
#include "tests/app/fake_prompts.h"
#include "tests/app/qt_printers.h"

namespace zelanto::app {
namespace {

using testing::FakePrompts;
using testing::SteppingClock;

// Module1 on scripted prompts and a clock that steps 1 ms a round.
class Module1Test : public ::testing::Test {
protected:
    FakePrompts prompts;
    SteppingClock clock{1};
    Module1 module1{prompts, clock};
};

QStringList filter(const char* description, const char* pattern) {
    return {QString::fromUtf8(description), QString::fromUtf8(pattern)};
}

// "/" and `wide` two-byte characters in code page 932 (three bytes each in UTF-8), then
// `narrow` ASCII letters.
QString pathOfBytes(int wide, int narrow) {
    return u'/' + QString(wide, QChar(u'点')) + QString(narrow, u'a');
}

TEST_F(Module1Test, DialogHasTheSameTitleForEveryCallerAndGetsTheFilterAsPairs) {
    prompts.paths = {"/data/a.sim", "/opt/cad/acad.exe"};

    EXPECT_EQ(module1.ShowOpenDialog(nullptr, filter("SIMファイル(*.sim)", "*.sim")),
              "/data/a.sim");
    EXPECT_EQ(module1.ShowOpenDialog(nullptr, filter("Auto_CAD EXEを選択(*.exe)", "*.exe")),
              "/opt/cad/acad.exe");

    ASSERT_EQ(prompts.shown.size(), 2U);
    EXPECT_EQ(prompts.shown[0].title, QString::fromUtf8("SIMファイルを開く"));
    EXPECT_EQ(prompts.shown[1].title, QString::fromUtf8("SIMファイルを開く"));
    EXPECT_EQ(prompts.shown[0].text, QString::fromUtf8("SIMファイル(*.sim)|*.sim"));
    EXPECT_EQ(prompts.shown[1].text, QString::fromUtf8("Auto_CAD EXEを選択(*.exe)|*.exe"));
}

TEST_F(Module1Test, DialogOffersEveryPairOfALongerFilter) {
    prompts.paths = {""};
    module1.ShowOpenDialog(nullptr, filter("SIM", "*.sim") + filter("Text", "*.txt"));
    ASSERT_EQ(prompts.shown.size(), 1U);
    EXPECT_EQ(prompts.shown[0].text, "SIM|*.sim|Text|*.txt");
}

TEST_F(Module1Test, PathMustFitIn249BytesOfCodePage932AndCancelGivesTheEmptyText) {
    const QString fits = pathOfBytes(124, 0);       // 1 + 248 bytes
    const QString tooLong = pathOfBytes(124, 1);    // 250 bytes
    const QString asciiFits = pathOfBytes(0, 248);  // 249 bytes
    prompts.paths = {fits, tooLong, asciiFits, ""};

    EXPECT_EQ(module1.ShowOpenDialog(nullptr, filter("SIM", "*.sim")), fits);
    EXPECT_EQ(module1.ShowOpenDialog(nullptr, filter("SIM", "*.sim")), "");
    EXPECT_EQ(module1.ShowOpenDialog(nullptr, filter("SIM", "*.sim")), asciiFits);
    EXPECT_EQ(module1.ShowOpenDialog(nullptr, filter("SIM", "*.sim")), "") << "cancelled";
}

TEST_F(Module1Test, PauseEndsAtTheFirstCheckPastTheRequestedTime) {
    SteppingClock tens(10);
    const Module1 pausing(prompts, tens);

    pausing.WaitMs(30);  // 10, 20, 30 are not past 30 ms; 40 is
    EXPECT_EQ(tens.rounds, 4);
    pausing.WaitMs(25);  // 10, 20; then 30
    EXPECT_EQ(tens.rounds, 4 + 3);
}

TEST_F(Module1Test, PauseOfZeroLastsAtLeastOneMillisecondAndANegativeOneChecksOnce) {
    module1.WaitMs(0);  // 1 ms is past 0
    EXPECT_EQ(clock.rounds, 1);
    module1.WaitMs(1);  // 1 ms is not past 1, 2 ms is
    EXPECT_EQ(clock.rounds, 1 + 2);
    module1.WaitMs(-5);
    EXPECT_EQ(clock.rounds, 3 + 1);
    module1.WaitMs(-32768);
    EXPECT_EQ(clock.rounds, 4 + 1);
}

// Records how long each round may wait for events.
class WaitRecordingClock : public SteppingClock {
public:
    using SteppingClock::SteppingClock;
    void processEvents(int maxWaitMs) override {
        waits.push_back({nowMs(), maxWaitMs});
        SteppingClock::processEvents(maxWaitMs);
    }
    struct Round {
        std::int64_t at;
        int maxWaitMs;
    };
    std::vector<Round> waits;
};

TEST_F(Module1Test, PauseWaitsForEventsInsteadOfSpinningButNeverBeyondItsEnd) {
    WaitRecordingClock recording(30);
    const Module1 pausing(prompts, recording);

    pausing.WaitMs(100);

    ASSERT_FALSE(recording.waits.empty());
    for (const auto& round : recording.waits) {
        EXPECT_GT(round.maxWaitMs, 0) << "at " << round.at;
        EXPECT_LE(round.at + round.maxWaitMs, 101) << "at " << round.at;
    }
}

TEST(Module1RealClock, PauseHandlesEventsPostedMeanwhileAndLastsAtLeastTheTimeAsked) {
    FakePrompts prompts;
    SteadyPauseClock steady;
    const Module1 module1(prompts, steady);
    bool handled = false;
    QObject context;
    QMetaObject::invokeMethod(
        &context, [&handled] { handled = true; }, Qt::QueuedConnection);

    const auto start = std::chrono::steady_clock::now();
    module1.WaitMs(100);
    const auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_TRUE(handled);
    EXPECT_GT(elapsed, std::chrono::milliseconds(100));
}

}  // namespace
}  // namespace zelanto::app

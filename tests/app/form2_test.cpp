#include "app/form2.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/module1.h"
#include "app/window_layout.h"
#include "tests/app/fake_outside.h"
#include "tests/app/fake_prompts.h"
#include "tests/app/qt_printers.h"
#include "tests/temp_folder.h"

namespace zelanto::app {
namespace {

using testing::SteppingClock;
using testing::TempFolder;

// Sees the grey of the splash's two texts each time a pause lets events through.
class GreyWatchingClock : public SteppingClock {
public:
    void processEvents(int maxWaitMs) override {
        if (splash != nullptr) {
            productGreys.push_back(grey(splash->lblProductName));
            dateGreys.push_back(grey(splash->Label1));
        }
        SteppingClock::processEvents(maxWaitMs);
    }
    static int grey(const QLabel* label) {
        return label->palette().color(QPalette::WindowText).red();
    }

    const Form2* splash = nullptr;
    std::vector<int> productGreys;
    std::vector<int> dateGreys;
};

// Each level once, in the order it was seen.
std::vector<int> levelsOf(std::vector<int> greys) {
    greys.erase(std::unique(greys.begin(), greys.end()), greys.end());
    return greys;
}

// A process id that no process has any more.
qint64 deadProcessId() {
    QProcess process;
    process.start(QStringLiteral("/bin/true"), {});
    EXPECT_TRUE(process.waitForStarted());
    const qint64 pid = process.processId();
    EXPECT_TRUE(process.waitForFinished());
    return pid;
}

class Form2Test : public ::testing::Test {
protected:
    QString lockPath() const { return QString::fromStdString((folder / "zelanto.lock").string()); }

    // A splash whose main window is a plain widget that this test keeps.
    std::unique_ptr<Form2> makeSplash(SingleInstance& instance, QDate today = {2006, 4, 5}) {
        auto splash = std::make_unique<Form2>(
            instance, module1,
            [this] {
                splashVisibleAtHandOver = clock.splash->isVisible();
                handedOverAtMs = clock.nowMs();
                // A main window may let events through while it starts, with no window shown.
                QCoreApplication::processEvents();
                mainWindow = std::make_unique<QWidget>();
                return mainWindow.get();
            },
            today);
        clock.splash = splash.get();
        return splash;
    }

    // Starts the splash and lets it run until it has handed over to the main window.
    void runUntilHandOver(Form2& splash) {
        splash.Form_Load();
        ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindow != nullptr; }));
    }

    // A program that does not end by itself ends with exit code 1 after a while, failing the
    // test instead of hanging it.
    static void endIfStuck(Form2& splash) {
        QTimer::singleShot(20000, &splash, [] { QCoreApplication::exit(1); });
    }

    TempFolder folder;
    GreyWatchingClock clock;
    testing::FakePrompts prompts;  // the splash asks nothing
    const Module1 module1{prompts, clock};
    std::unique_ptr<QWidget> mainWindow;
    bool splashVisibleAtHandOver = true;
    std::int64_t handedOverAtMs = 0;
};

TEST_F(Form2Test, SplashIsAFramelessGreyWindowCentredOnTheScreen) {
    SingleInstance instance(lockPath());
    auto splash = makeSplash(instance);

    EXPECT_TRUE(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash->size(), twipsRect(0, 0, 3240, 1710, splash.get()).size());
    EXPECT_EQ(splash->geometry().center(), splash->screen()->geometry().center());
    EXPECT_EQ(splash->palette().color(QPalette::Window), QColor(224, 224, 224));
    EXPECT_EQ(splash->imgLogo->pixmap().size(), QSize(170, 42));
}

TEST_F(Form2Test, DateReadsYearMonthDayWithoutLeadingZeros) {
    for (const auto& [date, text] :
         {std::pair{QDate(2006, 4, 5), "2006年4月5日"}, {QDate(2006, 12, 12), "2006年12月12日"}}) {
        SingleInstance instance(lockPath());
        auto splash = makeSplash(instance, date);
        runUntilHandOver(*splash);
        EXPECT_EQ(splash->Label1->text(), QString::fromUtf8(text));
        mainWindow.reset();
    }
}

TEST_F(Form2Test, TextsFadeFromLightGreyToAlmostBlackThenTheMainWindowTakesOver) {
    SingleInstance instance(lockPath());
    auto splash = makeSplash(instance);
    runUntilHandOver(*splash);

    EXPECT_EQ(splash->lblProductName->text(), QString::fromUtf8("起動しています・・"));
    const std::vector<int> expected = {192, 172, 152, 132, 112, 92, 72, 52, 32, 12};
    EXPECT_EQ(levelsOf(clock.productGreys), expected);
    EXPECT_EQ(clock.dateGreys, clock.productGreys);

    // The pauses come to 500 + 9 × 50 + 1500 ms; the splash closes before the main window is made.
    EXPECT_GT(handedOverAtMs, 2450);
    EXPECT_FALSE(splashVisibleAtHandOver);
    EXPECT_TRUE(mainWindow->isVisible());
    EXPECT_EQ(mainWindow->frameGeometry().topLeft(), QPoint(0, 0));
}

TEST_F(Form2Test, ProgramRunsOnFromTheSplashIntoTheMainWindowAndEndsWhenThatCloses) {
    SingleInstance instance(lockPath());
    auto splash = makeSplash(instance);
    endIfStuck(*splash);
    // The user closes the main window once it is up.
    bool closedByUser = false;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (mainWindow != nullptr && mainWindow->isVisible()) {
            closedByUser = true;
            mainWindow->close();
        }
    });
    user.start(10);

    EXPECT_EQ(splash->run(), 0);
    EXPECT_TRUE(closedByUser);
}

TEST_F(Form2Test, SecondCopyEndsAtOnceShowingNothingAndMakingNoMainWindow) {
    SingleInstance firstCopy(lockPath());
    ASSERT_FALSE(firstCopy.anotherCopyRunning());
    SingleInstance secondCopy(lockPath());
    auto splash = makeSplash(secondCopy);
    endIfStuck(*splash);

    EXPECT_EQ(splash->run(), 0);
    QCoreApplication::processEvents();

    EXPECT_FALSE(splash->isVisible());
    EXPECT_EQ(mainWindow, nullptr);
    EXPECT_EQ(clock.rounds, 0);
}

TEST_F(Form2Test, LockLeftByACrashedCopyDoesNotStopTheProgram) {
    // Qt's own lock file format, naming a process that has ended.
    QByteArray content;
    {
        QLockFile model(lockPath());
        ASSERT_TRUE(model.tryLock(0));
        QFile file(lockPath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        content = file.readAll();
    }
    content = QByteArray::number(deadProcessId()) + content.mid(content.indexOf('\n'));
    testing::writeBytes(folder / "zelanto.lock", content.toStdString());

    SingleInstance instance(lockPath());
    auto splash = makeSplash(instance);
    runUntilHandOver(*splash);
    EXPECT_TRUE(mainWindow->isVisible());
}

}  // namespace
}  // namespace zelanto::app

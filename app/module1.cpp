#include "app/module1.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>

#include "base/code_page_932.h"

namespace zelanto::app {
namespace {

// Every caller's dialog carries the same title.
constexpr const char* kDialogTitle = "SIMファイルを開く";

// The longest path, in code page 932 bytes, that the dialog's 250-byte buffer holds with its
// terminating NUL.
constexpr std::size_t kMaxPathBytes = 249;

bool fitsDialogBuffer(const QString& path) {
    return base::toAnsi(path.toStdString()).size() <= kMaxPathBytes;
}

}  // namespace

std::int64_t SteadyPauseClock::nowMs() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
}

void SteadyPauseClock::processEvents(int maxWaitMs) {
    if (maxWaitMs <= 0) {
        // The pause is over already: what is pending is handled, nothing is waited for.
        QCoreApplication::processEvents();
        return;
    }
    // The timer's own event ends the wait when nothing else arrives first; leaving the scope
    // stops it, so no stray wake-up reaches a later pause.
    QTimer wakeUp;
    wakeUp.setSingleShot(true);
    wakeUp.setTimerType(Qt::PreciseTimer);
    wakeUp.start(maxWaitMs);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

QString Module1::ShowOpenDialog(QWidget* owner, const QStringList& filter) const {
    const QString path = prompts_.openFile(owner, QString::fromUtf8(kDialogTitle), filter);
    return fitsDialogBuffer(path) ? path : QString();
}

void Module1::WaitMs(std::int16_t ms) const {
    const std::int64_t start = clock_.nowMs();
    std::int64_t elapsed = 0;
    do {
        // Waiting for events no longer than until the first moment past the pause.
        const std::int64_t untilPast = std::max<std::int64_t>(ms + 1 - elapsed, 0);
        clock_.processEvents(static_cast<int>(untilPast));
        elapsed = clock_.nowMs() - start;
    } while (elapsed <= ms);
}

}  // namespace zelanto::app

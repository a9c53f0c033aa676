#include "app/steady_pause_clock.h"

#include <QCoreApplication>
#include <QTimer>
#include <chrono>

namespace zelanto::app {

std::int64_t SteadyPauseClock::nowMs() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count();
}

void SteadyPauseClock::processEvents(int maxWaitMs) {
    if (maxWaitMs <= 0) {
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

}  // namespace zelanto::app

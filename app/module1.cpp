#include "app/module1.h"

#include <QStringList>
#include <algorithm>
#include <stdexcept>

#include "app/steady_pause_clock.h"
#include "platform/text/ansi_text.h"

namespace zelanto::app::Module1 {
namespace {

// Every caller's dialog carries the same title.
constexpr const char* kDialogTitle = "SIMファイルを開く";

// The longest path, in code page 932 bytes, that the dialog's 250-byte buffer holds with its
// terminating NUL.
constexpr std::size_t kMaxPathBytes = 249;

platform::Prompts* currentPrompts = nullptr;
PauseClock* currentClock = nullptr;

platform::Prompts& prompts() {
    if (currentPrompts == nullptr) {
        throw std::logic_error("Module1: no prompts set");
    }
    return *currentPrompts;
}

PauseClock& pauseClock() {
    static SteadyPauseClock steady;
    return currentClock != nullptr ? *currentClock : steady;
}

// "description NUL pattern NUL …" as the list description, pattern, …
QStringList filterPairs(const QString& filter) {
    QStringList parts = filter.split(QChar(u'\0'));
    while (!parts.isEmpty() && parts.last().isEmpty()) {
        parts.removeLast();
    }
    return parts;
}

bool fitsDialogBuffer(const QString& path) {
    return platform::toAnsi(path.toStdString()).size() <= kMaxPathBytes;
}

}  // namespace

void setPrompts(platform::Prompts* prompts) {
    currentPrompts = prompts;
}

void setPauseClock(PauseClock* clock) {
    currentClock = clock;
}

QString ShowOpenDialog(QWidget* owner, const QString& filter) {
    const QString path =
        prompts().openFile(owner, QString::fromUtf8(kDialogTitle), filterPairs(filter));
    return fitsDialogBuffer(path) ? path : QString();
}

void WaitMs(std::int16_t ms) {
    PauseClock& clock = pauseClock();
    const std::int64_t start = clock.nowMs();
    std::int64_t elapsed = 0;
    do {
        // Waiting for events no longer than until the first moment past the pause.
        const std::int64_t untilPast = std::max<std::int64_t>(ms + 1 - elapsed, 0);
        clock.processEvents(static_cast<int>(untilPast));
        elapsed = clock.nowMs() - start;
    } while (elapsed <= ms);
}

}  // namespace zelanto::app::Module1

#pragma once

// The open-file dialog and the pause that every handler shares, and the clock the pause runs on.

#include <QString>
#include <QStringList>
#include <cstdint>

#include "platform/qt/prompts.h"

class QWidget;

namespace zelanto::app {

// What a pause needs: a monotonic millisecond clock and a way to handle the window events that
// are pending or arrive within a given time.
class PauseClock {
public:
    virtual ~PauseClock() = default;
    virtual std::int64_t nowMs() = 0;
    // Handles pending window events, waiting at most `maxWaitMs` for one to arrive (without
    // keeping a core busy).
    virtual void processEvents(int maxWaitMs) = 0;
};

// The program's own pause clock: the monotonic system clock and the window events of the Qt
// application.
class SteadyPauseClock : public PauseClock {
public:
    std::int64_t nowMs() override;
    void processEvents(int maxWaitMs) override;
};

// The two functions every handler shares: the open-file dialog and the pause. It is given the
// dialog and the clock it uses: the program the real ones, tests their doubles.
class Module1 {
public:
    Module1(platform::Prompts& prompts, PauseClock& clock) : prompts_(prompts), clock_(clock) {}

    // Shows the open-file dialog titled "SIMファイルを開く", owned by `owner`, offering the
    // description/pattern pairs of `filter`. Returns the chosen file's full path, or the empty
    // text when the dialog is cancelled or the path is longer than 249 bytes in code page 932.
    QString ShowOpenDialog(QWidget* owner, const QStringList& filter) const;

    // Processes window events until more than `ms` milliseconds have passed.
    void WaitMs(std::int16_t ms) const;

private:
    platform::Prompts& prompts_;
    PauseClock& clock_;
};

}  // namespace zelanto::app

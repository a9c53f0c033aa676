#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "app/pause_clock.h"
#include "platform/qt/prompts.h"

class QWidget;

namespace zelanto::app {

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

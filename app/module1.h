#pragma once

#include <QString>
#include <cstdint>

#include "app/pause_clock.h"
#include "platform/qt/prompts.h"

class QWidget;

// The two functions every handler shares: the open-file dialog and the pause.
namespace zelanto::app::Module1 {

// The dialog and the clock these functions use; the program sets the real ones at start, tests
// their doubles. A null clock means the real one.
void setPrompts(platform::Prompts* prompts);
void setPauseClock(PauseClock* clock);

// Shows the open-file dialog titled "SIMファイルを開く", owned by `owner`, with the filter given
// as description/pattern pairs each followed by a NUL. Returns the chosen file's full path, or
// the empty text when the dialog is cancelled or the path is longer than 249 bytes in code page
// 932.
QString ShowOpenDialog(QWidget* owner, const QString& filter);

// Processes window events until more than `ms` milliseconds have passed.
void WaitMs(std::int16_t ms);

}  // namespace zelanto::app::Module1

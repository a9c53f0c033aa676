#pragma once

#include <QPointer>
#include <QString>

#include "app/file_hand_over.h"

namespace zelanto::app {

class Form1;

// Where a SIM file given to the program, on its command line or by a later copy, reaches the main
// window: at once when the window can take it, or, while the splash still shows, once the window
// has been shown.
class SimFileInbox {
public:
    // Busy when the window cannot take the file now, or another one already waits for it.
    HandOverAnswer deliver(const QString& file);

    // The main window has been made: the file that waits for it is imported once it is shown.
    void attach(Form1& window);

private:
    QPointer<Form1> window_;
    QString waiting_;
};

}  // namespace zelanto::app

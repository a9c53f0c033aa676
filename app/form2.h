#pragma once

#include <QDate>
#include <QWidget>
#include <functional>

#include "app/module1.h"
#include "app/single_instance.h"

class QGroupBox;
class QLabel;

namespace zelanto::app {

// The splash window: turns away a second copy of the program, fades in two texts, then hands
// over to the main window.
class Form2 : public QWidget {
    Q_OBJECT

public:
    // Creates the main window when the splash is done; whoever makes it keeps it.
    using MainWindowFactory = std::function<QWidget*()>;

    // `today` is the date the splash shows; `module1` pauses the fade.
    Form2(SingleInstance& instance, const Module1& module1, MainWindowFactory createMainWindow,
          QDate today = QDate::currentDate(), QWidget* parent = nullptr);

    // Starts the program: loads the splash and runs the event loop for as long as the program
    // has a window. A second copy has none and ends at once. Returns the exit code.
    int run();

    // Shows the splash, unless another copy runs: then it closes without having shown anything.
    void Form_Load();

    QGroupBox* Frame1;
    QLabel* imgLogo;
    QLabel* lblProductName;
    QLabel* Label1;

private:
    void createWidgets();
    void Form_Activate();
    void setTextGrey(int level);
    void handOver();

    SingleInstance& instance_;
    const Module1& module1_;
    MainWindowFactory createMainWindow_;
    QDate today_;
};

}  // namespace zelanto::app

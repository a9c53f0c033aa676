#pragma once

#include <QGuiApplication>
#include <QWindow>

#include "tests/platform/cad_driver/x11/wait_until.h"
#include "tests/scoped_environment.h"

namespace zelanto::testing {

// This test as a Qt program on the test's display (LibreCAD and ZELANTO are Qt programs), while
// the object lives.
class QtOnDisplay {
public:
    QtOnDisplay() : application_(argc_, argv_) {}

    // Shows `window` and waits until it is the active one.
    static bool showActive(QWindow& window) {
        window.show();
        return waitUntil([&] { return isActive(window); });
    }
    // Whether `window` is active once the events so far have been handled.
    static bool isActive(const QWindow& window) {
        QCoreApplication::processEvents();
        return window.isActive();
    }

private:
    ScopedEnvironment platform_{"QT_QPA_PLATFORM", "xcb"};
    int argc_ = 1;
    char name_[5] = "test";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication application_;
};

}  // namespace zelanto::testing

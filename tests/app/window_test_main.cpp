#include <gtest/gtest.h>

#include <QApplication>

#include "app/window_layout.h"

// The window tests share one application object; without a display they draw offscreen (test
// discovery runs this binary without the test environment).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    Q_INIT_RESOURCE(zelanto);
    QApplication application(argc, argv);
    zelanto::app::installFontSubstitutes();
    return RUN_ALL_TESTS();
}

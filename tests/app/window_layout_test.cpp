#include "app/window_layout.h"

#include <gtest/gtest.h>

#include <QFontInfo>

#include "tests/app/qt_printers.h"

namespace zelanto::app {
namespace {

QString familyShownFor(const char* family) {
    return QFontInfo(QFont(QString::fromUtf8(family))).family();
}

// The substitutes are installed by the test program's main, as by the program's.
TEST(AppFonts, JapaneseFontsOfTheWindowsAreDrawnWithInstalledOnes) {
    EXPECT_EQ(familyShownFor("MS UI Gothic"), "IPAPGothic");
    EXPECT_EQ(familyShownFor("ＭＳ ゴシック"), "IPAGothic");
    EXPECT_EQ(familyShownFor("ＭＳ Ｐゴシック"), "IPAPGothic");
}

}  // namespace
}  // namespace zelanto::app

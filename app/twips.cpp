#include "app/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace zelanto::app {
namespace {

constexpr double kTwipsPerInch = 1440;

double logicalDpi(const QWidget* widget) {
    const QScreen* screen = widget != nullptr ? widget->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
}

}  // namespace

int twipsToPixels(int twips, const QWidget* widget) {
    return static_cast<int>(std::lround(twips * logicalDpi(widget) / kTwipsPerInch));
}

QRect twipsRect(int left, int top, int width, int height, const QWidget* widget) {
    return QRect(twipsToPixels(left, widget), twipsToPixels(top, widget),
                 twipsToPixels(width, widget), twipsToPixels(height, widget));
}

}  // namespace zelanto::app

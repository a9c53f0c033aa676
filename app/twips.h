#pragma once

#include <QRect>

class QWidget;

namespace zelanto::app {

// Window and widget geometry is given in twips (1/1440 inch); Qt wants pixels at the screen's
// logical DPI (15 twips a pixel at 96 DPI).
int twipsToPixels(int twips, const QWidget* widget = nullptr);
QRect twipsRect(int left, int top, int width, int height, const QWidget* widget = nullptr);

}  // namespace zelanto::app

#pragma once

// What both windows are laid out with, as they were designed: geometry in twips, the Japanese
// fonts they name, their texts as Qt strings, and the moment a window is first shown.

#include <QRect>
#include <QString>
#include <functional>

class QWidget;

namespace zelanto::app {

// One of the program's texts (UTF-8) as the widgets take it.
inline QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Window and widget geometry is given in twips (1/1440 inch); Qt wants pixels at the screen's
// logical DPI (15 twips a pixel at 96 DPI).
int twipsToPixels(int twips, const QWidget* widget = nullptr);
QRect twipsRect(int left, int top, int width, int height, const QWidget* widget = nullptr);

// Runs `handler` once, right after `window` has first been shown and its show has been handled,
// as a window's first activation does.
void onFirstShown(QWidget* window, std::function<void()> handler);

// The windows name the Japanese fonts of the system they were designed on; these map each of
// them to an installed Japanese font (IPA, else Noto CJK). Call once, after the application
// object exists and before the first window.
void installFontSubstitutes();

}  // namespace zelanto::app

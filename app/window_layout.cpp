#include "app/window_layout.h"

#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <cmath>

namespace zelanto::app {
namespace {

constexpr double kTwipsPerInch = 1440;

double logicalDpi(const QWidget* widget) {
    const QScreen* screen = widget != nullptr ? widget->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
}

class FirstShowWatcher : public QObject {
public:
    FirstShowWatcher(QWidget* window, std::function<void()> handler)
        : QObject(window), handler_(std::move(handler)) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, handler_);
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> handler_;
};

}  // namespace

int twipsToPixels(int twips, const QWidget* widget) {
    return static_cast<int>(std::lround(twips * logicalDpi(widget) / kTwipsPerInch));
}

QRect twipsRect(int left, int top, int width, int height, const QWidget* widget) {
    return QRect(twipsToPixels(left, widget), twipsToPixels(top, widget),
                 twipsToPixels(width, widget), twipsToPixels(height, widget));
}

void onFirstShown(QWidget* window, std::function<void()> handler) {
    new FirstShowWatcher(window, std::move(handler));
}

void installFontSubstitutes() {
    // Proportional and fixed-pitch Japanese fonts, best first.
    const QStringList proportional = {QStringLiteral("IPAPGothic"),
                                      QStringLiteral("Noto Sans CJK JP")};
    const QStringList fixedPitch = {QStringLiteral("IPAGothic"),
                                    QStringLiteral("Noto Sans Mono CJK JP")};
    QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"), proportional);
    QFont::insertSubstitutions(QString::fromUtf8("ＭＳ ゴシック"), fixedPitch);
    QFont::insertSubstitutions(QString::fromUtf8("ＭＳ Ｐゴシック"), proportional);
}

}  // namespace zelanto::app

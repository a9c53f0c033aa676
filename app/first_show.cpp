#include "app/first_show.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace zelanto::app {
namespace {

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

void onFirstShown(QWidget* window, std::function<void()> handler) {
    new FirstShowWatcher(window, std::move(handler));
}

}  // namespace zelanto::app

#include "platform/cad_driver/cad_window_watch.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>

#include "platform/cad_driver/process_tree.h"
#include "platform/cad_driver/x11/x11_driver.h"

namespace zelanto::platform {
namespace {

// How often, and how long, to look for new windows: a CAD program's first start may take a good
// while, and some show a splash before their main window.
constexpr int kLookIntervalMs = 200;
constexpr int kLookRounds = 300;

// What the window system reports of the user: a key or a button pressed in a window of this
// program, or the focus back in one of them. Events that the program makes itself do not count.
bool isUsersAct(const QEvent& event) {
    return event.spontaneous() &&
           (event.type() == QEvent::KeyPress || event.type() == QEvent::MouseButtonPress ||
            event.type() == QEvent::ApplicationActivate);
}

}  // namespace

CadWindowWatch::CadWindowWatch() {
    timer_.setInterval(kLookIntervalMs);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { look(); });
}

void CadWindowWatch::start(pid_t program) {
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) {
        return;  // without an event loop nobody would look
    }
    program_ = program;
    rounds_ = 0;
    asked_.clear();
    application->installEventFilter(this);
    timer_.start();
}

bool CadWindowWatch::eventFilter(QObject* watched, QEvent* event) {
    if (isUsersAct(*event)) {
        stop();
    }
    return QObject::eventFilter(watched, event);
}

void CadWindowWatch::look() {
    if (++rounds_ >= kLookRounds) {
        stop();
    }
    try {
        for (const x11::WindowId window : x11::programWindows(processTree(program_))) {
            if (std::find(asked_.begin(), asked_.end(), window) == asked_.end()) {
                asked_.push_back(window);
                x11::askMaximizedAndFocused(window);
            }
        }
    } catch (const x11::X11Error&) {
        stop();  // no display: there is no window to maximize
    }
}

void CadWindowWatch::stop() {
    timer_.stop();
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

}  // namespace zelanto::platform

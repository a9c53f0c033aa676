#pragma once

#include <sys/types.h>
#include <QObject>
#include <QTimer>
#include <vector>

namespace zelanto::platform {

// Has each new window of a started program maximized and given the focus, once: a window that the
// window manager never reports maximized (a tiling one, a splash of a fixed size) is not asked
// again and again. Watching ends after a minute, or as soon as the user acts in this program (a
// key or a button pressed in one of its windows) or comes back to it (one of its windows gets the
// focus again), so that the focus is never taken from the user.
class CadWindowWatch : public QObject {
public:
    CadWindowWatch();

    // Watches the windows of `program` and the processes it starts, instead of any watched so
    // far. Only while an application object runs its event loop.
    void start(pid_t program);
    bool watching() const { return timer_.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void look();
    void stop();

    QTimer timer_;
    pid_t program_ = 0;
    int rounds_ = 0;
    std::vector<unsigned long> asked_;
};

}  // namespace zelanto::platform

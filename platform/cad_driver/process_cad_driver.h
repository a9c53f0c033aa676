#pragma once

// The CAD driver of this program: the CAD program started as a process, its windows found by the
// processes it started (read from /proc) or by title, maximized as they appear, and typed into,
// all on the X11 display (x11/). On the same display, the help viewer's window is maximized.

#include <sys/types.h>

#include <QObject>
#include <QTimer>
#include <string>
#include <vector>

#include "platform/cad_driver/cad_driver.h"

namespace zelanto::platform {

// `root` and every process descended from it that runs now, read from /proc: a program started
// through a shell script shows its window from a child of the process that was started.
std::vector<pid_t> processTree(pid_t root);

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

// Starts the CAD program as a detached process; activates its window and types into it on the
// X11 display.
class ProcessCadDriver : public CadDriver {
public:
    void start(const std::filesystem::path& program,
               const std::vector<std::string>& arguments) override;
    void activate(const std::string& title) override;
    void activateCad(std::span<const std::string_view> titleWords) override;
    void activateCadShowing(const std::string& titlePart) override;
    void closeEarlierStarts() override;
    void sendKeys(const std::string& keys, bool wait) override;
    void pressShift() override;

    // Whether the windows of the program started last are still being watched for.
    bool watchingWindows() const { return windowWatch_.watching(); }

private:
    struct Start {
        std::filesystem::path program;
        pid_t pid;
    };
    // The programs started, the last one last.
    std::vector<Start> started_;
    CadWindowWatch windowWatch_;
};

// Asks the window manager to maximize a window whose title ends with `titleEnd`, as a viewer
// titles its window after the document it shows ("xCHM v. 1.35: ZELANTO ヘルプ"). False when there
// is none yet, or no X11 display to look on.
bool maximizeWindowTitleEnding(const std::string& titleEnd);

}  // namespace zelanto::platform

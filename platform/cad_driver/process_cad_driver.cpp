#include "platform/cad_driver/process_cad_driver.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include "platform/cad_driver/process_tree.h"
#include "platform/cad_driver/x11/x11_driver.h"
#include "platform/qt/path_text.h"

namespace zelanto::platform {
namespace {

// How long a program started with a file may take to show it: a first start on a busy machine
// takes a good while.
constexpr int kShowingPatienceMs = 60000;
constexpr int kShowingLookIntervalMs = 100;

// Runs one X11 operation and reports its failure as the CAD driver's.
template <typename Operation>
auto onX11(Operation operation) {
    try {
        return operation();
    } catch (const x11::NoDisplayError&) {
        throw CadDriverError("the CAD window cannot be driven without an X11 display");
    } catch (const x11::X11Error& error) {
        throw CadDriverError(std::string("the CAD window cannot be driven: ") + error.what());
    }
}

}  // namespace

void ProcessCadDriver::start(const std::filesystem::path& program,
                             const std::vector<std::string>& arguments) {
    QStringList argumentList;
    for (const std::string& argument : arguments) {
        argumentList << QString::fromStdString(argument);
    }
    qint64 pid = 0;
    // startDetached reports a failed exec as well, so a folder or a file that is not executable
    // fails here, not later.
    if (!QProcess::startDetached(textOf(program), argumentList, QString(), &pid)) {
        throw CadDriverError("cannot start " + program.string());
    }
    started_.push_back({program, static_cast<pid_t>(pid)});
    windowWatch_.start(static_cast<pid_t>(pid));
}

void ProcessCadDriver::activate(const std::string& title) {
    onX11([&] { x11::activateWindow(title); });
}

void ProcessCadDriver::activateCad(std::span<const std::string_view> titleWords) {
    const std::vector<pid_t> started =
        started_.empty() ? std::vector<pid_t>{} : processTree(started_.back().pid);
    onX11([&] { x11::activateProgramWindow(started, titleWords); });
}

void ProcessCadDriver::activateCadShowing(const std::string& titlePart) {
    if (started_.empty()) {
        throw CadDriverError("no CAD program has been started");
    }
    const QDeadlineTimer deadline(kShowingPatienceMs);
    while (!onX11([&] {
        return x11::activateProgramWindowTitled(processTree(started_.back().pid), titlePart);
    })) {
        if (deadline.hasExpired()) {
            throw CadDriverError("the CAD program did not show " + titlePart);
        }
        // The window paints meanwhile; what the user does waits.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(kShowingLookIntervalMs);
    }
}

void ProcessCadDriver::closeEarlierStarts() {
    if (started_.empty()) {
        return;
    }
    const Start last = started_.back();
    for (auto earlier = started_.begin(); earlier + 1 != started_.end(); ++earlier) {
        if (earlier->program == last.program) {
            onX11([&] { x11::closeProgramWindows(processTree(earlier->pid)); });
        }
    }
    started_ = {last};
}

void ProcessCadDriver::pressShift() {
    onX11([] { x11::pressShift(); });
}

void ProcessCadDriver::sendKeys(const std::string& keys, bool wait) {
    onX11([&] { x11::typeKeys(keys, wait ? x11::KeyWait::untilProcessed : x11::KeyWait::no); });
}

}  // namespace zelanto::platform

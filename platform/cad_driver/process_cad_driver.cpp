#include "platform/cad_driver/process_cad_driver.h"

#include <QProcess>

#include "platform/cad_driver/process_tree.h"
#include "platform/cad_driver/x11/key_typing.h"
#include "platform/cad_driver/x11/window_activation.h"
#include "platform/cad_driver/x11/x11_error.h"
#include "platform/qt/path_text.h"

namespace zelanto::platform {
namespace {

// Runs one X11 operation and reports its failure as the CAD driver's.
template <typename Operation>
void onX11(Operation operation) {
    try {
        operation();
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
    started_ = static_cast<pid_t>(pid);
    windowWatch_.start(static_cast<pid_t>(pid));
}

void ProcessCadDriver::activate(const std::string& title) {
    onX11([&] { x11::activateWindow(title); });
}

void ProcessCadDriver::activateCad(std::span<const std::string_view> titleWords) {
    const std::vector<pid_t> started = started_ ? processTree(*started_) : std::vector<pid_t>{};
    onX11([&] { x11::activateProgramWindow(started, titleWords); });
}

void ProcessCadDriver::sendKeys(const std::string& keys, bool wait) {
    onX11([&] { x11::typeKeys(keys, wait ? x11::KeyWait::untilProcessed : x11::KeyWait::no); });
}

}  // namespace zelanto::platform

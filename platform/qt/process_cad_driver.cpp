#include "platform/qt/process_cad_driver.h"

#include <QFile>
#include <QProcess>

namespace zelanto::platform {
namespace {

[[noreturn]] void cannotDrive() {
    throw CadDriverError("the CAD window cannot be driven yet: no window activation or keystrokes");
}

}  // namespace

void ProcessCadDriver::start(const std::filesystem::path& program) {
    // startDetached reports a failed exec as well, so a folder or a file that is not executable
    // fails here, not later.
    if (!QProcess::startDetached(QFile::decodeName(program.c_str()), {})) {
        throw CadDriverError("cannot start " + program.string());
    }
}

void ProcessCadDriver::activate(const std::string&) {
    cannotDrive();
}

void ProcessCadDriver::sendKeys(const std::string&, bool) {
    cannotDrive();
}

}  // namespace zelanto::platform

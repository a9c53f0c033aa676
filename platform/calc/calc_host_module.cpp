// The entry point of the module that holds the spreadsheet host in LibreOffice Calc.
#include <cstdlib>
#include <type_traits>

#include "base/atomic_file.h"
#include "base/file_system.h"
#include "platform/calc/calc_host_loader.h"
#include "platform/calc/office_process.h"
#include "platform/calc/uno_office.h"

namespace {

using namespace zelanto::platform;
using namespace zelanto::platform::calc;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

extern "C" __attribute__((visibility("default"))) SpreadsheetHost* zelanto_create_calc_host(
    const CalcHostOptions& options) {
    const auto office = findOffice(environment("PATH"));
    if (!office) {
        return nullptr;
    }
    OfficeSettings settings;
    settings.program = *office;
    try {
        settings.profile = zelanto::base::zelantoCacheFolder() / "libreoffice";
    } catch (const zelanto::base::FileError&) {
        return nullptr;  // no place for our profile
    }
    // Without a display LibreOffice starts only headless: it holds documents but shows none.
    settings.headless = environment("DISPLAY").empty() && environment("WAYLAND_DISPLAY").empty();
    settings.whileWaiting = options.whileWaiting;
    return makeCalcHost(settings).release();
}

// The loader finds the entry point by its name and calls it as a CalcHostFactory.
static_assert(std::is_same_v<decltype(&zelanto_create_calc_host), CalcHostFactory>);

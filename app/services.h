#pragma once

#include <filesystem>

#include "platform/cad_driver/cad_driver.h"
#include "platform/qt/desktop_opener.h"
#include "platform/qt/prompts.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::app {

// Everything outside the program that the main window talks to.
struct Services {
    platform::Prompts& prompts;
    platform::SpreadsheetHost& host;
    platform::CadDriver& cad;
    platform::DesktopOpener& opener;
    // The folder of the executable: settings, help, script and merged SIM file live there.
    std::filesystem::path programFolder;
};

}  // namespace zelanto::app

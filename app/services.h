#pragma once

#include <filesystem>

#include "app/module1.h"
#include "platform/cad_driver/cad_driver.h"
#include "platform/qt/desktop_opener.h"
#include "platform/qt/prompts.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::app {

// What the main window is given: everything outside the program that it talks to, and the
// functions it shares with the splash window.
struct Services {
    platform::Prompts& prompts;
    const Module1& module1;
    platform::SpreadsheetHost& host;
    platform::CadDriver& cad;
    platform::DesktopOpener& opener;
    // The folder of the executable: settings, help, script and merged SIM file live there.
    std::filesystem::path programFolder;
};

}  // namespace zelanto::app

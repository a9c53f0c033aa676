#pragma once

#include "app/module1.h"
#include "app/program_files.h"
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
    // Where the help and the settings are, and where the written files go.
    ProgramFiles files;
};

}  // namespace zelanto::app

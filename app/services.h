#pragma once

#include "app/program_files.h"
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
    // Where the help and the settings are, and where the written files go.
    ProgramFiles files;
};

}  // namespace zelanto::app

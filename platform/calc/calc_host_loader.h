#pragma once

// The program's way to the Calc host: the module that holds it, the module's one entry point, and
// the loader the program calls.

#include <filesystem>
#include <functional>
#include <memory>

#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform::calc {

// The spreadsheet host in LibreOffice Calc lives in a module of its own beside the executable,
// loaded at run time, so that the program runs where LibreOffice's libraries are not installed.
inline constexpr const char* kCalcHostModule = "libzelanto_calc_host.so";

// What the program tells the module.
struct CalcHostOptions {
    // Runs on the window's thread while a call to LibreOffice takes long, so that the window
    // keeps painting.
    std::function<void()> whileWaiting;
};

// The module's one entry point: a new host, or null when LibreOffice is not installed.
inline constexpr const char* kCalcHostFactory = "zelanto_create_calc_host";
using CalcHostFactory = SpreadsheetHost* (*)(const CalcHostOptions& options);

// The spreadsheet host in LibreOffice Calc from the module in `folder`. Nothing when the module
// is not there, cannot load (LibreOffice's libraries are missing), or finds no LibreOffice.
// The module stays loaded for the rest of the run.
std::unique_ptr<SpreadsheetHost> loadCalcHost(const std::filesystem::path& folder,
                                              const CalcHostOptions& options);

}  // namespace zelanto::platform::calc

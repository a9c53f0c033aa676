#pragma once

#include <filesystem>
#include <memory>

#include "platform/calc/calc_host_entry.h"

namespace zelanto::platform::calc {

// The spreadsheet host in LibreOffice Calc from the module in `folder`. Nothing when the module
// is not there, cannot load (LibreOffice's libraries are missing), or finds no LibreOffice.
// The module stays loaded for the rest of the run.
std::unique_ptr<SpreadsheetHost> loadCalcHost(const std::filesystem::path& folder,
                                              const CalcHostOptions& options);

}  // namespace zelanto::platform::calc

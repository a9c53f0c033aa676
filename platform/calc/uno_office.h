#pragma once

// Our LibreOffice instance over UNO: its Calc documents and their sheets as calc_office.h has them,
// and the Calc host made over them.

#include <memory>

#include "platform/calc/office_process.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform::calc {

// The spreadsheet host in our LibreOffice instance as the settings describe it; the instance is
// started with the first application.
std::unique_ptr<SpreadsheetHost> makeCalcHost(const OfficeSettings& settings);

}  // namespace zelanto::platform::calc

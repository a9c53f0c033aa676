#include "platform/calc/uno_calc_host.h"

#include "platform/calc/calc_host.h"
#include "platform/calc/uno_office.h"

namespace zelanto::platform::calc {

std::unique_ptr<SpreadsheetHost> makeCalcHost(const OfficeSettings& settings) {
    return std::make_unique<CalcHost>([settings] { return connectToOffice(settings); });
}

}  // namespace zelanto::platform::calc

#pragma once

#include <functional>
#include <memory>

#include "platform/calc/calc_document.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform::calc {

// The spreadsheet host in LibreOffice Calc. All applications share one connection to our
// LibreOffice instance; when it is lost, the next application connects anew.
class CalcHost : public SpreadsheetHost {
public:
    // Reaches our instance, starting it when it is not running; a HostError when it cannot.
    using Connect = std::function<std::shared_ptr<CalcOffice>()>;

    explicit CalcHost(Connect connect);

    std::shared_ptr<SpreadsheetApplication> createApplication() override;

private:
    Connect connect_;
    std::shared_ptr<CalcOffice> office_;
};

}  // namespace zelanto::platform::calc

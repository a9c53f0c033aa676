#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/calc/calc_document.h"
#include "platform/calc/calc_workbook.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform::calc {

// An application instance of the host: its workbooks are new documents of our LibreOffice
// instance, hidden until shown. Dropping it leaves them open in LibreOffice.
class CalcApplication : public SpreadsheetApplication {
public:
    explicit CalcApplication(std::shared_ptr<CalcOffice> office);

    std::shared_ptr<Workbook> addWorkbook() override;
    // Shows or hides the windows of its documents, once the gathered writes are in.
    void setVisible(bool visible) override;
    // The title of the window of the workbook added last.
    std::string windowTitle() override;

private:
    std::shared_ptr<CalcOffice> office_;
    std::vector<std::shared_ptr<CalcWorkbook>> workbooks_;
};

}  // namespace zelanto::platform::calc

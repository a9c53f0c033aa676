#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/calc/calc_document.h"
#include "platform/calc/calc_worksheet.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform::calc {

// A workbook of the host in a Calc document. Each sheet has one worksheet object, so that all
// writes into a sheet go through one buffer in the order made.
class CalcWorkbook : public Workbook {
public:
    explicit CalcWorkbook(std::shared_ptr<CalcDocument> document);

    std::shared_ptr<Worksheet> worksheet(const std::string& name) override;

    // Sends the gathered writes of every worksheet.
    void flush();
    CalcDocument& document() { return *document_; }

private:
    std::shared_ptr<CalcDocument> document_;
    // By the sheet's position in the document.
    std::map<int, std::shared_ptr<CalcWorksheet>> worksheets_;
};

}  // namespace zelanto::platform::calc

#include "platform/calc/calc_application.h"

#include <utility>

namespace zelanto::platform::calc {

CalcApplication::CalcApplication(std::shared_ptr<CalcOffice> office) : office_(std::move(office)) {}

std::shared_ptr<Workbook> CalcApplication::addWorkbook() {
    workbooks_.push_back(std::make_shared<CalcWorkbook>(office_->newHiddenDocument()));
    return workbooks_.back();
}

void CalcApplication::setVisible(bool visible) {
    for (const auto& workbook : workbooks_) {
        workbook->flush();
        workbook->document().setVisible(visible);
    }
}

std::string CalcApplication::windowTitle() {
    if (workbooks_.empty()) {
        return SpreadsheetApplication::windowTitle();
    }
    return workbooks_.back()->document().windowTitle();
}

}  // namespace zelanto::platform::calc

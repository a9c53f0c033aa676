#include "platform/calc/calc_workbook.h"

#include <utility>

namespace zelanto::platform::calc {

CalcWorkbook::CalcWorkbook(std::shared_ptr<CalcDocument> document)
    : document_(std::move(document)) {}

std::shared_ptr<Worksheet> CalcWorkbook::worksheet(const std::string& name) {
    const std::optional<int> index = document_->sheetIndex(name);
    if (!index) {
        throw HostError("the workbook has no worksheet \"" + name + "\"");
    }
    auto& worksheet = worksheets_[*index];
    if (!worksheet) {
        worksheet = std::make_shared<CalcWorksheet>(document_->sheetAt(*index));
    }
    return worksheet;
}

void CalcWorkbook::flush() {
    for (const auto& [index, worksheet] : worksheets_) {
        worksheet->flush();
    }
}

}  // namespace zelanto::platform::calc

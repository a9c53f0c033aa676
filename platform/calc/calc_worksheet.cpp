#include "platform/calc/calc_worksheet.h"

#include <utility>

#include "platform/calc/calc_formats.h"
#include "platform/sheet/cell_input.h"

namespace zelanto::platform::calc {

CalcWorksheet::CalcWorksheet(std::shared_ptr<CalcSheet> sheet, ReadCache::Clock clock)
    : sheet_(std::move(sheet)), reads_(std::move(clock)) {}

CalcWorksheet::~CalcWorksheet() {
    try {
        flush();
    } catch (const HostError&) {
        // Calc is gone or the user closed the document: nothing is left to write into.
    }
}

void CalcWorksheet::setName(const std::string& name) {
    settle();
    sheet_->setName(name);
}

void CalcWorksheet::setColumnWidth(const std::string& columns, double characters) {
    settle();
    sheet_->setColumnWidth(parseRangeAddress(columns), columnWidthInCalc(characters));
}

void CalcWorksheet::setRowHeight(const std::string& rows, double points) {
    settle();
    sheet_->setRowHeight(parseRangeAddress(rows), rowHeightInCalc(points));
}

void CalcWorksheet::setHorizontalAlignment(const std::string& range, int code) {
    settle();
    sheet_->setProperties(parseRangeAddress(range), {horizontalAlignment(code)});
}

void CalcWorksheet::setVerticalAlignment(const std::string& range, int code) {
    settle();
    sheet_->setProperties(parseRangeAddress(range), {verticalAlignment(code)});
}

void CalcWorksheet::setFontName(const std::string& range, const std::string& name) {
    settle();
    sheet_->setProperties(parseRangeAddress(range), fontName(name));
}

void CalcWorksheet::setFontSize(const std::string& range, double points) {
    settle();
    sheet_->setProperties(parseRangeAddress(range), fontSize(points));
}

void CalcWorksheet::setFontColorIndex(const std::string& range, int index) {
    settle();
    sheet_->setProperties(parseRangeAddress(range), {fontColor(index)});
}

void CalcWorksheet::setInteriorColorIndex(const std::string& range, int index) {
    settle();
    sheet_->setProperties(parseRangeAddress(range), {interiorColor(index)});
}

void CalcWorksheet::setMergeCells(const std::string& range, bool merged) {
    settle();
    sheet_->merge(parseRangeAddress(range), merged);
}

void CalcWorksheet::setNumberFormatLocal(const std::string& range, const std::string& format) {
    settle();
    const RangeAddress address = parseRangeAddress(range);
    if (format.empty()) {
        throw HostError("number format is empty");
    }
    sheet_->setProperties(address, {{"NumberFormat", sheet_->numberFormatKey(format)}});
    textFormats_.set(address, format);
}

void CalcWorksheet::setValue(int row, int column, const CellValue& value) {
    try {
        checkCellPosition(row, column);
        checkStorable(value);
    } catch (const HostError&) {
        flush();
        throw;
    }
    reads_.clear();
    if (!writes_.accepts(row, column)) {
        flush();
    }
    writes_.add(row, column, storedForm(value, textFormats_.isText(row, column)));
    if (writes_.full()) {
        flush();
    }
}

CellValue CalcWorksheet::value(int row, int column) {
    flush();
    checkCellPosition(row, column);
    if (auto cached = reads_.find(row, column)) {
        return *std::move(cached);
    }
    const RangeAddress block = reads_.blockFor(row, column);
    reads_.store({block, sheet_->dataArray(block)});
    return *reads_.find(row, column);
}

void CalcWorksheet::select(int row, int column) {
    settle();
    checkCellPosition(row, column);
    sheet_->select(row, column);
}

void CalcWorksheet::flush() {
    for (const CellBlock& block : writes_.take()) {
        sheet_->setDataArray(block.range, block.values);
    }
}

void CalcWorksheet::settle() {
    flush();
    reads_.clear();
}

}  // namespace zelanto::platform::calc

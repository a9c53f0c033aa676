#include "platform/calc/calc_worksheet.h"

#include <utility>

#include "platform/calc/calc_formats.h"
#include "platform/sheet/cell.h"

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

void CalcWorksheet::setColumnWidth(const RangeAddress& columns, double characters) {
    settle();
    sheet_->setColumnWidth(columns, columnWidthInCalc(characters));
}

void CalcWorksheet::setRowHeight(const RangeAddress& rows, double points) {
    settle();
    sheet_->setRowHeight(rows, rowHeightInCalc(points));
}

void CalcWorksheet::setHorizontalAlignment(const RangeAddress& range,
                                           HorizontalAlignment alignment) {
    settle();
    sheet_->setProperties(range, {horizontalAlignment(alignment)});
}

void CalcWorksheet::setVerticalAlignment(const RangeAddress& range, VerticalAlignment alignment) {
    settle();
    sheet_->setProperties(range, {verticalAlignment(alignment)});
}

void CalcWorksheet::setFontName(const RangeAddress& range, const std::string& name) {
    settle();
    sheet_->setProperties(range, fontName(name));
}

void CalcWorksheet::setFontSize(const RangeAddress& range, double points) {
    settle();
    sheet_->setProperties(range, fontSize(points));
}

void CalcWorksheet::setFontColor(const RangeAddress& range, PaletteColor color) {
    settle();
    sheet_->setProperties(range, {fontColor(color)});
}

void CalcWorksheet::setInteriorColor(const RangeAddress& range, PaletteColor color) {
    settle();
    sheet_->setProperties(range, {interiorColor(color)});
}

void CalcWorksheet::setMergeCells(const RangeAddress& range, bool merged) {
    settle();
    sheet_->merge(range, merged);
}

void CalcWorksheet::setNumberFormat(const RangeAddress& range, NumberFormat format) {
    settle();
    sheet_->setProperties(range,
                          {{"NumberFormat", sheet_->numberFormatKey(std::string(format.code()))}});
    textFormats_.set(range, format);
}

void CalcWorksheet::setValue(Row cellRow, Column cellColumn, const CellValue& value) {
    try {
        checkCellPosition(cellRow, cellColumn);
        checkStorable(value);
    } catch (const HostError&) {
        flush();
        throw;
    }
    const int row = cellRow.number;
    const int column = cellColumn.number;
    reads_.clear();
    if (!writes_.accepts(row, column)) {
        flush();
    }
    writes_.add(row, column, storedForm(value, textFormats_.isText(row, column)));
    if (writes_.full()) {
        flush();
    }
}

CellValue CalcWorksheet::value(Row cellRow, Column cellColumn) {
    flush();
    checkCellPosition(cellRow, cellColumn);
    const int row = cellRow.number;
    const int column = cellColumn.number;
    if (auto cached = reads_.find(row, column)) {
        return *std::move(cached);
    }
    const RangeAddress block = reads_.blockFor(row, column);
    reads_.store({block, sheet_->dataArray(block)});
    return *reads_.find(row, column);
}

void CalcWorksheet::select(Row row, Column column) {
    settle();
    checkCellPosition(row, column);
    sheet_->select(row.number, column.number);
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

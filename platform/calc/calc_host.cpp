#include "platform/calc/calc_host.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/calc/calc_formats.h"
#include "platform/sheet/cell.h"

namespace zelanto::platform::calc {
namespace {

bool covers(const RangeAddress& outer, const RangeAddress& inner) {
    return outer.firstRow <= inner.firstRow && inner.lastRow <= outer.lastRow &&
           outer.firstColumn <= inner.firstColumn && inner.lastColumn <= outer.lastColumn;
}

bool holds(const RangeAddress& range, int row, int column) {
    return covers(range, RangeAddress{RangeAddress::Kind::Block, row, row, column, column});
}

}  // namespace

CalcHost::CalcHost(Connect connect) : connect_(std::move(connect)) {}

std::shared_ptr<SpreadsheetApplication> CalcHost::createApplication() {
    // LibreOffice was ended, or stopped answering and was cut off: reach it anew (starting it)
    // rather than fail on every call of the new application.
    if (!office_ || !office_->connected()) {
        office_ = connect_();
    }
    return std::make_shared<CalcApplication>(office_);
}

CalcApplication::CalcApplication(std::shared_ptr<CalcOffice> office) : office_(std::move(office)) {}

std::shared_ptr<Workbook> CalcApplication::addWorkbook() {
    workbooks_.push_back(std::make_shared<CalcWorkbook>(office_->newHiddenDocument()));
    return workbooks_.back();
}

void CalcApplication::setVisible(bool visible) {
    for (const auto& workbook : workbooks_) {
        // The user is to see every value written before the window shows.
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

bool WriteBuffer::accepts(int row, int column) const {
    if (empty()) {
        return true;
    }
    // A block is a rectangle written row by row: a row grows only to its right and not past the
    // first row's width, and a new row starts in the first column once the row above is complete.
    const bool nextInRow = row == lastRow_ && column == lastColumn_ + 1 &&
                           (columns_ == 0 || column < firstColumn_ + columns_);
    const bool nextRow = row == lastRow_ + 1 && column == firstColumn_ && lastRowComplete();
    return nextInRow || nextRow;
}

void WriteBuffer::add(int row, int column, CellValue value) {
    if (empty()) {
        firstRow_ = row;
        firstColumn_ = column;
    } else if (row != lastRow_ && columns_ == 0) {
        // The second row fixes the block's width at the first row's.
        columns_ = width();
    }
    lastRow_ = row;
    lastColumn_ = column;
    values_.push_back(std::move(value));
}

bool WriteBuffer::full() const {
    return !empty() && lastRowComplete() && lastRow_ - firstRow_ + 1 >= kMaxBlockRows;
}

std::vector<CellBlock> WriteBuffer::take() {
    std::vector<CellBlock> blocks;
    if (empty()) {
        return blocks;
    }
    const int lastColumn = firstColumn_ + width() - 1;
    const int completeRows = lastRow_ - firstRow_ + (lastRowComplete() ? 1 : 0);
    const auto rowStart = values_.begin() + static_cast<std::ptrdiff_t>(completeRows) * width();
    if (completeRows > 0) {
        blocks.push_back(
            {{RangeAddress::Kind::Block, firstRow_, firstRow_ + completeRows - 1, firstColumn_,
              lastColumn},
             {std::make_move_iterator(values_.begin()), std::make_move_iterator(rowStart)}});
    }
    // A row begun but not finished goes as a block of its own: a rectangle over the whole width
    // would empty the cells of that row not yet written.
    if (!lastRowComplete()) {
        blocks.push_back(
            {{RangeAddress::Kind::Block, lastRow_, lastRow_, firstColumn_, lastColumn_},
             {std::make_move_iterator(rowStart), std::make_move_iterator(values_.end())}});
    }
    values_.clear();
    columns_ = 0;
    return blocks;
}

int WriteBuffer::width() const {
    return columns_ != 0 ? columns_ : lastColumn_ - firstColumn_ + 1;
}

bool WriteBuffer::lastRowComplete() const {
    return columns_ == 0 || lastColumn_ == firstColumn_ + columns_ - 1;
}

ReadCache::ReadCache(Clock clock) : clock_(std::move(clock)) {}

std::optional<CellValue> ReadCache::find(int row, int column) const {
    auto next = blocks_.upper_bound(row);
    if (next == blocks_.begin()) {
        return std::nullopt;
    }
    const Entry& entry = std::prev(next)->second;
    const RangeAddress& range = entry.block.range;
    const bool holds =
        row <= range.lastRow && column >= range.firstColumn && column <= range.lastColumn;
    // An old block may no longer be what Calc holds: the user edits the sheet at will.
    if (!holds || clock_() - entry.readAt > kFreshFor) {
        return std::nullopt;
    }
    const int width = range.lastColumn - range.firstColumn + 1;
    const auto index =
        static_cast<std::size_t>((row - range.firstRow) * width + (column - range.firstColumn));
    return entry.block.values[index];
}

RangeAddress ReadCache::blockFor(int row, int column) const {
    // A scan that goes on where the last block ended is worth ever longer blocks; a read anywhere
    // else may be a single one and starts small.
    const int rows = row == lastEnd_ ? std::min(lastRows_ * 2, kMaxBlockRows) : kFirstRows;
    return {RangeAddress::Kind::Block, row, std::min(row + rows - 1, platform::kMaxRows), 1,
            std::max(column, kColumns)};
}

void ReadCache::store(CellBlock block) {
    const RangeAddress range = block.range;
    // The newer block wins where blocks overlap, so that a cell has one answer, the latest.
    std::erase_if(blocks_,
                  [&](const auto& entry) { return entry.second.block.range.overlaps(range); });
    blocks_.emplace(range.firstRow, Entry{std::move(block), clock_()});
    lastRows_ = range.lastRow - range.firstRow + 1;
    lastEnd_ = range.lastRow + 1;
}

void TextFormatMap::set(const RangeAddress& range, NumberFormat format) {
    std::erase_if(entries_, [&](const Entry& entry) { return covers(range, entry.range); });
    entries_.push_back({range, format.isText()});
}

bool TextFormatMap::isText(int row, int column) const {
    const auto last = std::find_if(entries_.rbegin(), entries_.rend(), [&](const Entry& entry) {
        return holds(entry.range, row, column);
    });
    return last != entries_.rend() && last->text;
}

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
    // Calc's block transfer never turns a text into a number, as a single cell write does outside
    // "@": setValue does it, and has to know where "@" is.
    textFormats_.set(range, format);
}

void CalcWorksheet::setValue(Row cellRow, Column cellColumn, const CellValue& value) {
    try {
        checkCellPosition(cellRow, cellColumn);
        checkStorable(value);
    } catch (const HostError&) {
        // As with one call per cell, the writes before the refused one are in Calc by the time
        // the caller hears of the failure.
        flush();
        throw;
    }
    const int row = cellRow.number;
    const int column = cellColumn.number;
    // What was read may be what this write changes.
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
    // A read sees every write made before it.
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

#include "platform/embedded/sheet_model.h"

#include <algorithm>
#include <utility>

#include "platform/sheet/cell.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform {
namespace {

// The host's limit on sheet names, in characters.
constexpr std::ptrdiff_t kMaxSheetNameLength = 31;

void checkSheetName(const std::string& name) {
    const bool fits = !name.empty() && characterCount(name) <= kMaxSheetNameLength;
    const bool plain = name.find_first_of("[]:*?/\\") == std::string::npos &&
                       name.front() != '\'' && name.back() != '\'';
    if (!fits || !plain) {
        throw HostError("not a valid sheet name: \"" + name + "\"");
    }
}

}  // namespace

SheetModel::SheetModel(std::string name) {
    setName(std::move(name));
}

void SheetModel::setName(std::string name) {
    checkSheetName(name);
    name_ = std::move(name);
}

void SheetModel::setValue(int row, int column, const CellValue& value) {
    checkCellPosition(Row(row), Column(column));
    checkStorable(value);
    const CellValue stored = storedForm(value, numberFormatAt(row, column) == kTextNumberFormat);
    // Emptying a cell that was never touched leaves it untouched.
    if (!stored.isEmpty() || !cells_.at(row, column).isEmpty()) {
        cells_.set(row, column, stored);
    }
}

CellValue SheetModel::value(int row, int column) const {
    checkCellPosition(Row(row), Column(column));
    return cells_.at(row, column).value();
}

void SheetModel::changeFormat(const RangeAddress& range, const FormatChange& change) {
    switch (range.kind) {
        case RangeAddress::Kind::Columns:
            for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
                auto& band = bandAt(columns_, column);
                band.format = formats_.changed(band.format, change);
            }
            break;
        case RangeAddress::Kind::Rows:
            for (int row = range.firstRow; row <= range.lastRow; ++row) {
                auto& band = bandAt(rows_, row);
                band.format = formats_.changed(band.format, change);
            }
            break;
        case RangeAddress::Kind::Block:
            for (int row = range.firstRow; row <= range.lastRow; ++row) {
                for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
                    cells_.setFormat(row, column,
                                     formats_.changed(cells_.format(row, column), change));
                }
            }
            break;
    }
}

void SheetModel::setColumnWidth(const RangeAddress& range, double characters) {
    for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
        bandAt(columns_, column).size = characters;
    }
}

void SheetModel::setRowHeight(const RangeAddress& range, double points) {
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        bandAt(rows_, row).size = points;
    }
}

void SheetModel::setMerged(const RangeAddress& range, bool merged) {
    if (merged && range.isSingleCell()) {
        return;
    }
    std::erase_if(merged_, [&](const RangeAddress& block) { return block.overlaps(range); });
    if (merged) {
        merged_.push_back(range);
    }
}

void SheetModel::select(int row, int column) {
    checkCellPosition(Row(row), Column(column));
    active_ = {row, column};
}

SheetModel::Band& SheetModel::bandAt(std::vector<Band>& bands, int index) {
    const auto position = static_cast<std::size_t>(index - 1);
    if (bands.size() <= position) {
        bands.resize(position + 1);
    }
    return bands[position];
}

const SheetModel::Band& SheetModel::bandOf(const std::vector<Band>& bands, int index) {
    static const Band kPlain;
    const auto position = static_cast<std::size_t>(index - 1);
    return position < bands.size() ? bands[position] : kPlain;
}

const CellFormat& SheetModel::columnFormat(int column) const {
    return formats_[bandOf(columns_, column).format];
}

const CellFormat& SheetModel::rowFormat(int row) const {
    return formats_[bandOf(rows_, row).format];
}

const CellFormat& SheetModel::cellFormat(int row, int column) const {
    return formats_[cells_.format(row, column)];
}

std::array<FormatTable::Id, 3> SheetModel::formatIds(int row, int column) const {
    return {bandOf(columns_, column).format, bandOf(rows_, row).format, cells_.format(row, column)};
}

CellFormat SheetModel::effectiveFormat(int row, int column) const {
    return columnFormat(column).overriddenBy(rowFormat(row)).overriddenBy(cellFormat(row, column));
}

const std::optional<NumberFormat>& SheetModel::numberFormatAt(int row, int column) const {
    if (const auto& own = cellFormat(row, column).numberFormat) {
        return own;
    }
    if (const auto& ofRow = rowFormat(row).numberFormat) {
        return ofRow;
    }
    return columnFormat(column).numberFormat;
}

std::optional<double> SheetModel::columnWidth(int column) const {
    return bandOf(columns_, column).size;
}

std::optional<double> SheetModel::rowHeight(int row) const {
    return bandOf(rows_, row).size;
}

int SheetModel::lastRow() const {
    return std::max(cells_.rowCount(), static_cast<int>(rows_.size()));
}

int SheetModel::lastFormattedColumn() const {
    return static_cast<int>(columns_.size());
}

}  // namespace zelanto::platform

#include "platform/embedded/sheet_model.h"

#include <algorithm>
#include <cstring>
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
    // Only a text asks for its cell's format.
    const auto number = value.isText()
                            ? storedNumber(value, numberFormatAt(row, column) == kTextNumberFormat)
                            : std::nullopt;
    if (number) {
        cells_.set(row, column, *number);
    } else if (!value.isEmpty() || !cells_.at(row, column).isEmpty()) {
        // Emptying a cell that was never touched leaves it untouched.
        cells_.set(row, column, value);
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

FormatTable::FormatTable() : formats_{CellFormat{}}, ids_{{CellFormat{}, kNone}} {}

FormatTable::Id FormatTable::changed(Id id, const std::function<void(CellFormat&)>& change) {
    CellFormat format = formats_[id];
    change(format);
    const auto [entry, added] = ids_.try_emplace(format, static_cast<Id>(formats_.size()));
    if (added) {
        formats_.push_back(format);
    }
    return entry->second;
}

namespace {

// Texts no cell refers to any more are dropped once they take more than the texts kept, and at
// least this much: a block rewritten again and again stays about twice the size of its texts.
constexpr std::size_t kUnusedTextsToCompact = 4096;

std::size_t indexOf(int oneBased) {
    return static_cast<std::size_t>(oneBased - 1);
}

// A text in a buffer of texts: its length, its bytes and a NUL, so that its bytes are a C string
// for whoever needs one.
std::size_t storedSize(std::string_view text) {
    return sizeof(std::size_t) + text.size() + 1;
}

std::size_t appendText(std::string& texts, std::string_view text) {
    const std::size_t start = texts.size();
    const std::size_t length = text.size();
    texts.resize(start + storedSize(text));
    char* const stored = texts.data() + start;
    std::memcpy(stored, &length, sizeof length);
    std::memcpy(stored + sizeof length, text.data(), length);
    return start;
}

std::string_view textAt(const std::string& texts, std::size_t start) {
    std::size_t length = 0;
    std::memcpy(&length, texts.data() + start, sizeof length);
    return {texts.data() + start + sizeof length, length};
}

}  // namespace

CellValue StoredCell::value() const {
    switch (kind) {
        case Kind::Empty:
            break;
        case Kind::Number:
            return number;
        case Kind::Text:
            return std::string(text);
    }
    return {};
}

StoredCell CellStore::Block::at(std::size_t index) const {
    switch (kinds_[index]) {
        case StoredCell::Kind::Empty:
            break;
        case StoredCell::Kind::Number:
            return {StoredCell::Kind::Number, payloads_[index].number, {}};
        case StoredCell::Kind::Text:
            return {StoredCell::Kind::Text, 0, textAt(texts_, payloads_[index].text)};
    }
    return {};
}

void CellStore::Block::set(std::size_t index, const CellValue& value) {
    auto& kind = kinds_[index];
    auto& payload = payloads_[index];
    const std::size_t replacedText =
        kind == StoredCell::Kind::Text ? storedSize(textAt(texts_, payload.text)) : 0;
    // A new text is stored before anything changes, so that a failed allocation changes nothing.
    if (value.isNumber()) {
        payload.number = value.number();
        kind = StoredCell::Kind::Number;
    } else if (value.isEmpty()) {
        kind = StoredCell::Kind::Empty;
    } else {
        payload.text = appendText(texts_, value.text());
        kind = StoredCell::Kind::Text;
    }
    unusedTextBytes_ += replacedText;
    if (unusedTextBytes_ >= kUnusedTextsToCompact && 2 * unusedTextBytes_ > texts_.size()) {
        compactTexts();
    }
}

void CellStore::Block::compactTexts() {
    std::string kept;
    kept.reserve(texts_.size() - unusedTextBytes_);
    for (std::size_t index = 0; index < kRows; ++index) {
        if (kinds_[index] == StoredCell::Kind::Text) {
            payloads_[index].text = appendText(kept, textAt(texts_, payloads_[index].text));
        }
    }
    texts_ = std::move(kept);
    unusedTextBytes_ = 0;
}

std::size_t CellStore::Block::memoryBytes() const {
    return sizeof(Block) + texts_.capacity();
}

StoredCell CellStore::Column::at(int row) const {
    const std::size_t index = indexOf(row);
    const std::size_t block = index / Block::kRows;
    if (block >= blocks_.size() || !blocks_[block]) {
        return {};
    }
    return blocks_[block]->at(index % Block::kRows);
}

void CellStore::Column::set(int row, const CellValue& value) {
    const std::size_t index = indexOf(row);
    const std::size_t block = index / Block::kRows;
    if (block >= blocks_.size() || !blocks_[block]) {
        addBlock(block);
    }
    blocks_[block]->set(index % Block::kRows, value);
}

void CellStore::Column::addBlock(std::size_t block) {
    if (blocks_.size() <= block) {
        blocks_.resize(block + 1);
    }
    // Only the kinds start out set: a number or text is read only where its kind says so.
    blocks_[block] = std::make_unique_for_overwrite<Block>();
}

void CellStore::Column::setFormat(int row, FormatTable::Id format) {
    const std::size_t index = indexOf(row);
    if (formats_.size() <= index) {
        if (format == FormatTable::kNone) {
            return;
        }
        formats_.resize(index + 1, FormatTable::kNone);
    }
    formats_[index] = format;
}

std::size_t CellStore::Column::memoryBytes() const {
    std::size_t bytes = blocks_.capacity() * sizeof(std::unique_ptr<Block>) +
                        formats_.capacity() * sizeof(FormatTable::Id);
    for (const auto& block : blocks_) {
        bytes += block ? block->memoryBytes() : 0;
    }
    return bytes;
}

StoredCell CellStore::at(int row, int column) const {
    const std::size_t index = indexOf(column);
    return index < columns_.size() ? columns_[index].at(row) : StoredCell{};
}

void CellStore::set(int row, int column, const CellValue& value) {
    touch(row, column).set(row, value);
}

void CellStore::setFormat(int row, int column, FormatTable::Id format) {
    touch(row, column).setFormat(row, format);
}

int CellStore::rowLength(int row) const {
    const std::size_t index = indexOf(row);
    return index < rowLengths_.size() ? rowLengths_[index] : 0;
}

CellStore::Column& CellStore::touch(int row, int column) {
    const std::size_t rowIndex = indexOf(row);
    const std::size_t columnIndex = indexOf(column);
    if (rowIndex >= rowLengths_.size() || columnIndex >= columns_.size()) {
        makeRoom(rowIndex, columnIndex);
    }
    rowCount_ = std::max(rowCount_, row);
    auto& length = rowLengths_[rowIndex];
    length = std::max(length, static_cast<std::uint16_t>(column));
    return columns_[columnIndex];
}

void CellStore::makeRoom(std::size_t rowIndex, std::size_t columnIndex) {
    if (rowLengths_.size() <= rowIndex) {
        rowLengths_.resize((rowIndex / Block::kRows + 1) * Block::kRows);
    }
    if (columns_.size() <= columnIndex) {
        columns_.resize(columnIndex + 1);
    }
}

std::size_t CellStore::memoryBytes() const {
    std::size_t bytes =
        columns_.capacity() * sizeof(Column) + rowLengths_.capacity() * sizeof(std::uint16_t);
    for (const Column& column : columns_) {
        bytes += column.memoryBytes();
    }
    return bytes;
}

}  // namespace zelanto::platform

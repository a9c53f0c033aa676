#include "platform/embedded/cell_store.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace zelanto::platform {
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

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/embedded/format_table.h"
#include "platform/sheet/cell.h"

namespace zelanto::platform {

// A cell as the store holds it. Its text lives in the store, followed there by a NUL, and is
// valid until the next write to the store.
struct StoredCell {
    enum class Kind : std::uint8_t { Empty, Number, Text };

    Kind kind = Kind::Empty;
    double number = 0;
    std::string_view text;

    bool isEmpty() const { return kind == Kind::Empty; }
    CellValue value() const;
};

// The cells of a worksheet, column by column and in each column block by block of rows. A block
// is made when one of its rows is first touched and keeps the kinds, the numbers and the texts of
// its cells together, the texts one after the other in one buffer. A sheet of points is tens of
// thousands of rows of a few short texts and numbers: a cell costs nine bytes, a text its own
// bytes and nine more, and filling a column allocates a block every thousand rows rather than a
// row or a cell at a time.
//
// A row is as long as its last touched cell: every write touches its cell, and a touched cell
// stays touched. Rows and columns are 1-based and lie on the worksheet.
class CellStore {
public:
    // The cell, or an empty one when it was never touched.
    StoredCell at(int row, int column) const;
    // Writes `value` into the cell; the empty value empties it.
    void set(int row, int column, const CellValue& value);

    // The number of the cell's own format; FormatTable::kNone when it has none. Every value
    // written looks it up.
    FormatTable::Id format(int row, int column) const {
        const auto index = static_cast<std::size_t>(column - 1);
        return index < columns_.size() ? columns_[index].format(row) : FormatTable::kNone;
    }
    void setFormat(int row, int column, FormatTable::Id format);

    // The last row that holds a touched cell; 0 when none does.
    int rowCount() const { return rowCount_; }
    // The column of the last touched cell of a row; 0 beyond the last row.
    int rowLength(int row) const;

    // The bytes the cells take: blocks, texts, formats and the lengths of the rows.
    std::size_t memoryBytes() const;

private:
    // The cells of kRows consecutive rows of a column.
    class Block {
    public:
        static constexpr std::size_t kRows = 1024;

        StoredCell at(std::size_t index) const;
        void set(std::size_t index, const CellValue& value);
        std::size_t memoryBytes() const;

    private:
        // A number, or where a text starts in texts_.
        union Payload {
            double number;
            std::size_t text;
        };

        void compactTexts();

        std::array<StoredCell::Kind, kRows> kinds_{};
        std::array<Payload, kRows> payloads_;
        std::string texts_;
        // Bytes of texts_ that no cell refers to any more: overwritten or emptied texts.
        std::size_t unusedTextBytes_ = 0;
    };

    class Column {
    public:
        StoredCell at(int row) const;
        void set(int row, const CellValue& value);
        FormatTable::Id format(int row) const {
            const auto index = static_cast<std::size_t>(row - 1);
            return index < formats_.size() ? formats_[index] : FormatTable::kNone;
        }
        void setFormat(int row, FormatTable::Id format);
        std::size_t memoryBytes() const;

    private:
        void addBlock(std::size_t block);

        // Block k holds rows k * kRows + 1 to (k + 1) * kRows; none where no row was touched.
        std::vector<std::unique_ptr<Block>> blocks_;
        // Down to the last row with a format of its own: few rows have one.
        std::vector<FormatTable::Id> formats_;
    };

    Column& touch(int row, int column);
    // Grows the row lengths and the columns to hold the cell: rarely needed, so kept out of the
    // way of every write.
    void makeRoom(std::size_t rowIndex, std::size_t columnIndex);

    std::vector<Column> columns_;
    // The column of the last touched cell of each row, 0 for an untouched one, in whole blocks of
    // rows; a sheet has at most 16384 columns.
    std::vector<std::uint16_t> rowLengths_;
    int rowCount_ = 0;
};

}  // namespace zelanto::platform

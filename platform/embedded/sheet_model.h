#pragma once

// A worksheet in memory as the embedded host keeps it: the SheetModel the host works on, the
// table of its distinct formats and the store of its cells.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sheet/cell.h"
#include "platform/sheet/range_address.h"

namespace zelanto::platform {

// Every distinct format of a worksheet, stored once; cells, rows and columns refer to their
// format by its number, so that a formatted cell costs a number rather than a format.
class FormatTable {
public:
    using Id = std::uint32_t;
    // The empty format, which every table holds.
    static constexpr Id kNone = 0;

    FormatTable();

    const CellFormat& operator[](Id id) const { return formats_[id]; }
    // The number of format `id` after `change`.
    Id changed(Id id, const std::function<void(CellFormat&)>& change);

private:
    std::vector<CellFormat> formats_;
    std::map<CellFormat, Id> ids_;
};

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

struct CellPosition {
    int row = 1;
    int column = 1;

    friend bool operator==(const CellPosition&, const CellPosition&) = default;
};

// A worksheet as the embedded host keeps it: its name, its cells, the formats of its columns,
// rows and cells, its merged blocks and its active cell. Rows and columns are 1-based; a
// position off the worksheet is a HostError.
class SheetModel {
public:
    using FormatChange = std::function<void(CellFormat&)>;

    explicit SheetModel(std::string name);

    const std::string& name() const { return name_; }
    // Refuses, with a HostError, what the host refuses: the empty name, more than 31
    // characters, any of []:*?/\ and an apostrophe at either end.
    void setName(std::string name);

    // In a cell whose number format is "@" a text stays text; elsewhere a text that is a
    // complete decimal number is stored as that number. The empty text empties the cell.
    void setValue(int row, int column, const CellValue& value);
    CellValue value(int row, int column) const;

    // Whole columns change their column format, whole rows their row format and a block the
    // format of each of its cells (so a block costs a cell for every cell it covers).
    void changeFormat(const RangeAddress& range, const FormatChange& change);
    // Sets the width of every column of the range, in characters of the standard font.
    void setColumnWidth(const RangeAddress& range, double characters);
    // Sets the height of every row of the range, in points.
    void setRowHeight(const RangeAddress& range, double points);
    // Merging replaces the merged blocks that the range overlaps; merging a single cell does
    // nothing. Unmerging splits every merged block that the range overlaps. Covered cells keep
    // what they hold, hidden behind the merged block.
    void setMerged(const RangeAddress& range, bool merged);
    void select(int row, int column);

    const CellFormat& columnFormat(int column) const;
    const CellFormat& rowFormat(int row) const;
    const CellFormat& cellFormat(int row, int column) const;
    // The numbers of the column, row and cell formats of a cell, which make its effective format:
    // cells with equal numbers have equal effective formats.
    std::array<FormatTable::Id, 3> formatIds(int row, int column) const;
    // The column format, overridden property by property by the row format, overridden by the
    // cell format.
    CellFormat effectiveFormat(int row, int column) const;
    // The number format in force at a cell, without working out the rest of its format: every
    // text written is checked against it.
    const std::optional<NumberFormat>& numberFormatAt(int row, int column) const;
    std::optional<double> columnWidth(int column) const;
    std::optional<double> rowHeight(int row) const;
    const std::vector<RangeAddress>& mergedBlocks() const { return merged_; }
    CellPosition activeCell() const { return active_; }

    const CellStore& cells() const { return cells_; }
    // The last row that holds a touched cell, a row format or a row height; 0 when none does.
    int lastRow() const;
    // The last column with a column format or width; 0 when none has.
    int lastFormattedColumn() const;

    // The bytes its cells take (see CellStore); formats and names are few and not counted.
    std::size_t memoryBytes() const { return cells_.memoryBytes(); }

private:
    // What a whole column or a whole row carries: a format and a width or height.
    struct Band {
        FormatTable::Id format = FormatTable::kNone;
        std::optional<double> size;
    };

    // The band of a column or row, made when it has none yet.
    static Band& bandAt(std::vector<Band>& bands, int index);
    static const Band& bandOf(const std::vector<Band>& bands, int index);

    std::string name_;
    CellStore cells_;
    FormatTable formats_;
    // By column and by row, down to the last one that has a band.
    std::vector<Band> columns_;
    std::vector<Band> rows_;
    std::vector<RangeAddress> merged_;
    CellPosition active_;
};

}  // namespace zelanto::platform

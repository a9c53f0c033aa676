#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/embedded/cell_store.h"
#include "platform/embedded/format_table.h"
#include "platform/sheet/cell.h"
#include "platform/sheet/range_address.h"

namespace zelanto::platform {

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

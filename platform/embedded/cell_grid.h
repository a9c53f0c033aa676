#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "platform/embedded/format_table.h"
#include "platform/sheet/cell_value.h"

namespace zelanto::platform {

// One cell: what it holds and the format of its own.
struct Cell {
    CellValue value;
    FormatTable::Id format = FormatTable::kNone;
};

// The cells of a worksheet, row by row; a row is as long as its last touched cell. A sheet of
// points is a long run of rows of the same few cells, so a new row takes the length of the row
// above it at once instead of growing cell by cell.
class CellGrid {
public:
    // The cell, or an empty one when it was never touched. Rows and columns are 1-based.
    const Cell& at(int row, int column) const;
    // The cell, made when it was never touched.
    Cell& touch(int row, int column);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    // The touched cells of a row, column 1 first; empty beyond the last row.
    std::span<const Cell> row(int row) const;

    // The bytes the cells take: rows, cells and texts too long to live inside their cell.
    std::size_t memoryBytes() const;

private:
    std::vector<std::vector<Cell>> rows_;
};

}  // namespace zelanto::platform

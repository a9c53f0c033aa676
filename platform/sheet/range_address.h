#pragma once

#include <string_view>

namespace zelanto::platform {

// The size of a worksheet.
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

// A range of a worksheet as the host addresses it. Bounds are 1-based and inclusive; whole
// columns span every row and whole rows every column.
struct RangeAddress {
    enum class Kind { Columns, Rows, Block };

    Kind kind = Kind::Block;
    int firstRow = 1;
    int lastRow = 1;
    int firstColumn = 1;
    int lastColumn = 1;

    bool overlaps(const RangeAddress& other) const;
    bool isSingleCell() const { return firstRow == lastRow && firstColumn == lastColumn; }

    friend bool operator==(const RangeAddress&, const RangeAddress&) = default;
};

// Reads "A:E" (whole columns), "1:2" (whole rows), "A1:E1" (a block) and "B2" (one cell). Column
// letters may be of either case; bounds given in reverse order are swapped. Anything else, and
// anything outside the worksheet, is a HostError.
RangeAddress parseRangeAddress(std::string_view address);

// Throws a HostError unless the cell lies on the worksheet.
void checkCellPosition(int row, int column);

}  // namespace zelanto::platform

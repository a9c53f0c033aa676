#pragma once

#include <vector>

#include "platform/calc/cell_block.h"

namespace zelanto::platform::calc {

// Cell writes gathered into blocks for one transfer, as a caller that fills a table row by row
// makes them: the first row grows cell by cell to the right; every further row starts in the
// first row's first column and spans its columns. Written out in that order, the blocks put into
// the sheet exactly what the single writes would have.
class WriteBuffer {
public:
    // Rows gathered before the buffer counts as full, so that one transfer stays short.
    static constexpr int kMaxBlockRows = 8192;

    bool empty() const { return values_.empty(); }
    // Whether the cell may be added: the buffer is empty, or the cell comes next.
    bool accepts(int row, int column) const;
    // Adds a cell that the buffer accepts.
    void add(int row, int column, CellValue value);
    // True once the buffer holds kMaxBlockRows complete rows.
    bool full() const;
    // The gathered writes as at most two blocks, the complete rows and a last row begun but not
    // finished, in the order written; the buffer is empty afterwards.
    std::vector<CellBlock> take();

private:
    int width() const;
    bool lastRowComplete() const;

    int firstRow_ = 0;
    int firstColumn_ = 0;
    int lastRow_ = 0;
    int lastColumn_ = 0;
    // The first row's width, fixed once a second row begins; 0 before that.
    int columns_ = 0;
    std::vector<CellValue> values_;
};

}  // namespace zelanto::platform::calc

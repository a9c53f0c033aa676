#include "platform/calc/write_buffer.h"

#include <iterator>
#include <utility>

namespace zelanto::platform::calc {

bool WriteBuffer::accepts(int row, int column) const {
    if (empty()) {
        return true;
    }
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

}  // namespace zelanto::platform::calc

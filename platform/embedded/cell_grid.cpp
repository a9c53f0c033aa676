#include "platform/embedded/cell_grid.h"

#include <algorithm>
#include <string>

namespace zelanto::platform {
namespace {

const Cell kEmptyCell;

std::size_t heapBytesOf(const CellValue& value) {
    if (!value.isText()) {
        return 0;
    }
    const std::size_t capacity = value.text().capacity();
    const bool inline_ = capacity <= std::string().capacity();
    return inline_ ? 0 : capacity + 1;
}

}  // namespace

const Cell& CellGrid::at(int row, int column) const {
    const auto cells = this->row(row);
    const auto index = static_cast<std::size_t>(column - 1);
    return index < cells.size() ? cells[index] : kEmptyCell;
}

Cell& CellGrid::touch(int row, int column) {
    const auto rowIndex = static_cast<std::size_t>(row - 1);
    const auto length = static_cast<std::size_t>(column);
    if (rows_.size() <= rowIndex) {
        rows_.resize(rowIndex + 1);
    }
    auto& cells = rows_[rowIndex];
    if (cells.size() < length) {
        if (cells.capacity() < length) {
            const std::size_t above = rowIndex > 0 ? rows_[rowIndex - 1].size() : 0;
            cells.reserve(std::max({length, above, 2 * cells.capacity()}));
        }
        cells.resize(length);
    }
    return cells[length - 1];
}

std::span<const Cell> CellGrid::row(int row) const {
    const auto index = static_cast<std::size_t>(row - 1);
    if (index >= rows_.size()) {
        return {};
    }
    return rows_[index];
}

std::size_t CellGrid::memoryBytes() const {
    std::size_t bytes = rows_.capacity() * sizeof(std::vector<Cell>);
    for (const auto& cells : rows_) {
        bytes += cells.capacity() * sizeof(Cell);
        for (const auto& cell : cells) {
            bytes += heapBytesOf(cell.value);
        }
    }
    return bytes;
}

}  // namespace zelanto::platform

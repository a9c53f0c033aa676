#include "platform/calc/read_cache.h"

#include <algorithm>
#include <utility>

namespace zelanto::platform::calc {

ReadCache::ReadCache(Clock clock) : clock_(std::move(clock)) {}

std::optional<CellValue> ReadCache::find(int row, int column) const {
    auto next = blocks_.upper_bound(row);
    if (next == blocks_.begin()) {
        return std::nullopt;
    }
    const Entry& entry = std::prev(next)->second;
    const RangeAddress& range = entry.block.range;
    const bool holds =
        row <= range.lastRow && column >= range.firstColumn && column <= range.lastColumn;
    if (!holds || clock_() - entry.readAt > kFreshFor) {
        return std::nullopt;
    }
    const int width = range.lastColumn - range.firstColumn + 1;
    const auto index =
        static_cast<std::size_t>((row - range.firstRow) * width + (column - range.firstColumn));
    return entry.block.values[index];
}

RangeAddress ReadCache::blockFor(int row, int column) const {
    const int rows = row == lastEnd_ ? std::min(lastRows_ * 2, kMaxBlockRows) : kFirstRows;
    return {RangeAddress::Kind::Block, row, std::min(row + rows - 1, platform::kMaxRows), 1,
            std::max(column, kColumns)};
}

void ReadCache::store(CellBlock block) {
    const RangeAddress range = block.range;
    std::erase_if(blocks_,
                  [&](const auto& entry) { return entry.second.block.range.overlaps(range); });
    blocks_.emplace(range.firstRow, Entry{std::move(block), clock_()});
    lastRows_ = range.lastRow - range.firstRow + 1;
    lastEnd_ = range.lastRow + 1;
}

}  // namespace zelanto::platform::calc

#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>

#include "platform/calc/cell_block.h"

namespace zelanto::platform::calc {

// Cell values read in blocks, from which the following single reads are served. A caller that
// scans down a table gets ever longer blocks. A block is served only for a short while after it
// was read, since the user may change the sheet in Calc at any moment.
class ReadCache {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr int kFirstRows = 64;
    static constexpr int kMaxBlockRows = 8192;
    // The columns A to E of a point row are read together.
    static constexpr int kColumns = 5;
    static constexpr std::chrono::milliseconds kFreshFor{1000};

    explicit ReadCache(Clock clock = std::chrono::steady_clock::now);

    // The cell's value from a fresh block; nothing when no fresh block holds it.
    std::optional<CellValue> find(int row, int column) const;
    // The block to read for a cell not found: from the cell's row down, twice as many rows as
    // the block read last when it ended just above, and the columns from A to at least E.
    RangeAddress blockFor(int row, int column) const;
    // Keeps a block just read.
    void store(CellBlock block);
    void clear() { blocks_.clear(); }

private:
    struct Entry {
        CellBlock block;
        std::chrono::steady_clock::time_point readAt;
    };

    Clock clock_;
    // By first row; no two overlap.
    std::map<int, Entry> blocks_;
    // The rows of the block read last and the row after it.
    int lastRows_ = 0;
    int lastEnd_ = 0;
};

}  // namespace zelanto::platform::calc

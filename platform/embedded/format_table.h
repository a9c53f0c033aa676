#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/sheet/cell.h"

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

}  // namespace zelanto::platform

#pragma once

#include <vector>

#include "platform/sheet/cell.h"
#include "platform/sheet/range_address.h"

namespace zelanto::platform::calc {

// A block of cells and their values, row by row.
struct CellBlock {
    RangeAddress range;
    std::vector<CellValue> values;
};

}  // namespace zelanto::platform::calc

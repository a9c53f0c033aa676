#pragma once

#include <vector>

#include "platform/sheet/cell.h"
#include "platform/sheet/range_address.h"

namespace zelanto::platform::calc {

// Which cells the text format "@" covers, from the number formats set on ranges. As in Calc, the
// format set last on a cell is its format; a cell that was never given one is not text.
class TextFormatMap {
public:
    void set(const RangeAddress& range, NumberFormat format);
    bool isText(int row, int column) const;

private:
    struct Entry {
        RangeAddress range;
        bool text;
    };

    // In the order set; an entry that a later one covers whole is dropped.
    std::vector<Entry> entries_;
};

}  // namespace zelanto::platform::calc

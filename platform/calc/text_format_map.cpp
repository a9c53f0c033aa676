#include "platform/calc/text_format_map.h"

#include <algorithm>

namespace zelanto::platform::calc {
namespace {

bool covers(const RangeAddress& outer, const RangeAddress& inner) {
    return outer.firstRow <= inner.firstRow && inner.lastRow <= outer.lastRow &&
           outer.firstColumn <= inner.firstColumn && inner.lastColumn <= outer.lastColumn;
}

bool holds(const RangeAddress& range, int row, int column) {
    return covers(range, RangeAddress{RangeAddress::Kind::Block, row, row, column, column});
}

}  // namespace

void TextFormatMap::set(const RangeAddress& range, NumberFormat format) {
    std::erase_if(entries_, [&](const Entry& entry) { return covers(range, entry.range); });
    entries_.push_back({range, format.isText()});
}

bool TextFormatMap::isText(int row, int column) const {
    const auto last = std::find_if(entries_.rbegin(), entries_.rend(), [&](const Entry& entry) {
        return holds(entry.range, row, column);
    });
    return last != entries_.rend() && last->text;
}

}  // namespace zelanto::platform::calc

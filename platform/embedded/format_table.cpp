#include "platform/embedded/format_table.h"

namespace zelanto::platform {

FormatTable::FormatTable() : formats_{CellFormat{}}, ids_{{CellFormat{}, kNone}} {}

FormatTable::Id FormatTable::changed(Id id, const std::function<void(CellFormat&)>& change) {
    CellFormat format = formats_[id];
    change(format);
    const auto [entry, added] = ids_.try_emplace(format, static_cast<Id>(formats_.size()));
    if (added) {
        formats_.push_back(format);
    }
    return entry->second;
}

}  // namespace zelanto::platform

#include "coords/sim_record_reader.h"

namespace zelanto::coords {

bool SimRecordReader::next(SimRecord& record) {
    size_t count = 0;
    while (auto item = items_.next()) {
        if (count == record.items.size()) {
            record.items.emplace_back();
        }
        record.items[count++] = std::move(*item);
        if (items_.atRecordEnd()) {
            break;
        }
    }
    record.items.resize(count);
    if (count == 0) {
        return false;
    }
    record.line = record.items.front().line;
    return true;
}

}  // namespace zelanto::coords

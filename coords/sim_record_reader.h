#pragma once

#include <cstdio>
#include <string_view>
#include <vector>

#include "coords/sim_item_reader.h"

namespace zelanto::coords {

// One record of a SIM file: the items from its record code up to the line end, with the line the
// record begins on.
struct SimRecord {
    std::vector<SimItem> items;
    long line = 0;

    std::string_view code() const { return field(0); }
    // The text of field `n` (1 for the item after the code); empty where the record is shorter.
    std::string_view field(size_t n) const {
        return n < items.size() ? std::string_view(items[n].text) : std::string_view();
    }
};

// Reads a SIM file record by record, with the tolerances of the item reader. A quoted item may
// hold a line end; the record goes on to the line end after it.
class SimRecordReader {
public:
    SimRecordReader(std::FILE* file, SimEncoding encoding) : items_(file, encoding) {}

    // Fills `record` with the next record, reusing its storage; false at the end of the file.
    // Throws SimItemFailure as the item reader does.
    bool next(SimRecord& record);

private:
    SimItemReader items_;
};

}  // namespace zelanto::coords

#include "platform/sheet/range_address.h"

#include <string>

#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform {

void checkCellPosition(Row row, Column column) {
    if (row.number < 1 || row.number > kMaxRows || column.number < 1 ||
        column.number > kMaxColumns) {
        throw HostError("no cell at row " + std::to_string(row.number) + ", column " +
                        std::to_string(column.number));
    }
}

}  // namespace zelanto::platform

#include "platform/sheet/range_address.h"

#include <string>

#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform {

void checkCellPosition(int row, int column) {
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns) {
        throw HostError("no cell at row " + std::to_string(row) + ", column " +
                        std::to_string(column));
    }
}

}  // namespace zelanto::platform

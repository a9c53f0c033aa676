#include "coords/sim_merge.h"

#include <algorithm>

#include "coords/coordinate_sheet.h"

namespace zelanto::coords {

int mergeFirstFile(SimReader& reader, platform::Worksheet& sheet) {
    for (int k = 1; k <= kMergeFirstFilePointLimit; ++k) {
        const SimPoint point = reader.readPoint();
        writePointRow(sheet, k + kFirstPointRow - 1, static_cast<double>(k), point);
        if (point.last) {
            return k;
        }
    }
    return kMergeFirstFilePointLimit;
}

int firstFreeRow(platform::Worksheet& sheet) {
    int row = kFirstPointRow;
    while (row < platform::kMaxRows && !sheet.value(row, kNumberColumn).isEmpty()) {
        ++row;
    }
    return row;
}

int mergeFollowingFile(SimReader& reader, platform::Worksheet& sheet, int freeRow) {
    for (int row = freeRow; row <= kMergeLastRow; ++row) {
        const SimPoint point = reader.readPoint();
        writePointRow(sheet, row, static_cast<double>(row), point);
        if (point.last) {
            return row - freeRow + 1;
        }
    }
    return std::max(0, kMergeLastRow - freeRow + 1);
}

}  // namespace zelanto::coords

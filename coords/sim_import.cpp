#include "coords/sim_import.h"

#include "coords/coordinate_sheet.h"

namespace zelanto::coords {

int importPoints(SimReader& reader, platform::Worksheet& sheet) {
    for (int k = 1; k <= kImportPointLimit; ++k) {
        const SimPoint point = reader.readPoint();
        writePointRow(sheet, k + kFirstPointRow - 1, point.number.text, point);
        if (point.last) {
            return k;
        }
    }
    return kImportPointLimit;
}

}  // namespace zelanto::coords

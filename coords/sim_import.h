#pragma once

#include "coords/sim_reader.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::coords {

// Points one file may bring into the import's sheet; the rest of the file is ignored.
constexpr int kImportPointLimit = 50000;

// Reads the points of `reader` (already past its first "A01") into the coordinate sheet: the
// k-th point into row k + 2 with its own point number, until the point followed by "A99" or the
// 50,000th point. Returns the number of points written. On a read failure the points before it
// (and the cells of the failing point left of a bad coordinate) stay in the sheet.
int importPoints(SimReader& reader, platform::Worksheet& sheet);

}  // namespace zelanto::coords

#pragma once

#include "coords/sim_reader.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::coords {

// Points the first file of a merge may bring: rows 3 to 50,002.
constexpr int kMergeFirstFilePointLimit = 50000;
// The second and third files fill rows up to this one, not further.
constexpr int kMergeLastRow = 50000;
// Files one merge reads.
constexpr int kMergeFileLimit = 3;

// First file: the k-th point into row k + 2, with k as its number in column A. Stops after the
// point followed by "A99" or the 50,000th point. Returns the number of points written.
int mergeFirstFile(SimReader& reader, platform::Worksheet& sheet);

// The first row from row 3 down whose column-A cell is empty.
int firstFreeRow(platform::Worksheet& sheet);

// A first free row beyond the merge's last row leaves no room for a further file.
constexpr bool isMergeSheetFull(int freeRow) {
    return freeRow > kMergeLastRow;
}

// Second and third files: points into rows `freeRow`, freeRow + 1, … with the row number itself
// in column A. Stops after the point followed by "A99" or the point written into row 50,000.
// Returns the number of points written.
int mergeFollowingFile(SimReader& reader, platform::Worksheet& sheet, int freeRow);

}  // namespace zelanto::coords

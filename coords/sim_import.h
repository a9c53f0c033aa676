#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "coords/coordinate_sheet.h"
#include "coords/parcels.h"
#include "coords/sim_reader.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::coords {

// Points one file may bring into the import's sheet; the rest of the file is ignored.
constexpr int kImportPointLimit = 50000;
// The row of the import's last point.
constexpr platform::Row kImportLastRow = kFirstPointRow + (kImportPointLimit - 1);

// Reads the points of `reader` (already past its first "A01") into the coordinate sheet: the
// k-th point into row k + 2 with its own point number, until the point followed by "A99" or the
// 50,000th point; each point written goes to `written` too. Returns the number of points
// written. On a read failure the points before it (and the cells of the failing point left of a
// bad coordinate) stay in the sheet.
int importPoints(SimReader& reader, platform::Worksheet& sheet,
                 const std::function<void(const SimPoint&)>& written = {});

// The parcels a SIM file carries besides its points, as the import found them.
struct ImportedParcels {
    ParcelFile parcels;
    // Why the file did not read past its points, which leaves it without parcels.
    std::optional<SimReadError> failure;
};

// The one pass over a SIM file that takes its points and, around them, its parcels: the import's
// into the coordinate sheet, in the order of the import's steps, or any other reader's.
class SimImport {
public:
    // Opens the file; throws SimReadError when it cannot.
    explicit SimImport(std::filesystem::path file);

    // Skips to the first point, keeping the records passed over for the parcels.
    void skipToFirstPoint();
    // The points into the sheet (see importPoints).
    int readPoints(platform::Worksheet& sheet);
    // The next point, for a reader without a sheet (see SimReader::readPoint).
    SimPoint readPoint();
    // Reads the rest of the file for its parcels and closes it. A failure there leaves the
    // points as they are: it goes with the parcels.
    ImportedParcels finish();

private:
    SimReader reader_;
    ParcelCollector parcels_;
};

// Points the first file of a merge may bring: rows 3 to 50,002.
constexpr int kMergeFirstFilePointLimit = 50000;
// The second and third files fill rows up to this one, not further.
constexpr platform::Row kMergeLastRow{50000};
// Files one merge reads.
constexpr int kMergeFileLimit = 3;

// First file: the k-th point into row k + 2, with k as its number in column A. Stops after the
// point followed by "A99" or the 50,000th point. Returns the number of points written.
int mergeFirstFile(SimReader& reader, platform::Worksheet& sheet);

// The first row from row 3 down whose column-A cell is empty.
platform::Row firstFreeRow(platform::Worksheet& sheet);

// A first free row beyond the merge's last row leaves no room for a further file.
constexpr bool isMergeSheetFull(platform::Row freeRow) {
    return freeRow > kMergeLastRow;
}

// Second and third files: points into rows `freeRow`, freeRow + 1, … with the row number itself
// in column A. Stops after the point followed by "A99" or the point written into row 50,000.
// Returns the number of points written.
int mergeFollowingFile(SimReader& reader, platform::Worksheet& sheet, platform::Row freeRow);

}  // namespace zelanto::coords

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "platform/sheet/cell.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::coords {

// The merged SIM file's name in the program folder.
constexpr const char* kMergedSimFileName = "orvik.sim";
// Point rows the writer reads at most: rows 3 to 50,002.
constexpr int kSimWriterPointLimit = 50000;

// A cell as a field of a SIM line: a text as stored, a number as numberText, an empty cell as
// nothing. A text holding a comma is put between double quotes so that it reads back as one item.
std::string simFieldText(const platform::CellValue& cell);

// The merged SIM file in two steps, so that a caller can tell when the file could be created at
// all: the constructor creates it (as a temporary file beside `file`, so a folder that cannot take
// it fails here, before the sheet is read), and `write` fills it and puts it in place of `file`.
// Dropped without a complete write, it leaves `file` as it was. Both throw base::FileError;
// `write` also throws platform::HostError.
class MergedSimWriter {
public:
    explicit MergedSimWriter(const std::filesystem::path& file) : out_(file) {}

    // Every point row of the coordinate sheet, the points renumbered 1, 2, 3, … in sheet order:
    // the header lines, one "A01" line per row until the first empty column-A cell (50,000 at
    // most), then "A99,". Code page 932, CR LF.
    void write(platform::Worksheet& sheet);

private:
    base::AnsiTextFile out_;
};

// Creates and writes the merged SIM file in one go.
void writeMergedSim(platform::Worksheet& sheet, const std::filesystem::path& file);

// A point as writeSimFile writes it: number and name as text, coordinates as numbers.
struct SimFilePoint {
    std::string number;
    std::string name;
    double x = 0;
    double y = 0;
    std::optional<double> elevation;  // nothing: an empty field
};

// A parcel block: "D00,<number>,<name>,<kind>,", one "B01,<point number>,<point name>," per
// corner, "D99,".
struct SimFileParcel {
    struct Corner {
        std::string number;
        std::string name;
    };
    std::string number;
    std::string name;
    std::string kind;
    std::vector<Corner> corners;
};

// A SIM file in the merged file's layout, with the points as given (not renumbered) and the
// parcel blocks after their "A99,": the header lines, one "A01" line per point, "A99,", the
// blocks. Fields as simFieldText writes them; code page 932, CR LF; written complete or not at
// all. Throws base::FileError.
void writeSimFile(const std::filesystem::path& file, const std::vector<SimFilePoint>& points,
                  const std::vector<SimFileParcel>& parcels);

}  // namespace zelanto::coords

#pragma once

#include <filesystem>
#include <string>

#include "platform/cell_value.h"
#include "platform/spreadsheet_host.h"

namespace zelanto::coords {

// The merged SIM file's name in the program folder.
constexpr const char* kMergedSimFileName = "orvik.sim";
// Point rows the writer reads at most: rows 3 to 50,002.
constexpr int kSimWriterPointLimit = 50000;

// A cell as a field of a SIM line: a text as stored, a number as numberText, an empty cell as
// nothing. A text holding a comma is put between double quotes so that it reads back as one item.
std::string simFieldText(const platform::CellValue& cell);

// Writes every point row of the coordinate sheet as a SIM file, the points renumbered 1, 2, 3, …
// in sheet order: the header lines, one "A01" line per row until the first empty column-A cell
// (50,000 at most), then "A99,". Code page 932, CR LF. The file replaces `file` only once it is
// complete. Throws platform::FileError or platform::HostError.
void writeMergedSim(platform::Worksheet& sheet, const std::filesystem::path& file);

}  // namespace zelanto::coords

#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "coords/coordinate_sheet.h"
#include "coords/parcels.h"
#include "coords/sim_file.h"
#include "coords/sim_import.h"
#include "coords/sim_read_error.h"
#include "platform/embedded/embedded_host.h"

namespace zelanto::cli {

// Each returns the process's exit code; reports go to `out`, failures to `err`.
int runImport(const ImportArguments& arguments, std::ostream& out, std::ostream& err);
int runMerge(const MergeArguments& arguments, std::ostream& out, std::ostream& err);
int runParcels(const ParcelsArguments& arguments, std::ostream& out, std::ostream& err);
int runPreview(const PreviewArguments& arguments, std::ostream& out, std::ostream& err);

enum ExitCode : int {
    kSuccess = 0,
    kWriteFailure = 1,
    kReadFailure = 2,
    kNoPlottableData = 3,
    kNoParcels = 3,
    kUsage = 64,
};

// A path that fails the SIM file check: exit code and message.
int rejectSimFile(const std::filesystem::path& file, coords::SimFileRefusal refusal,
                  std::ostream& err);
int reportReadFailure(const coords::SimReadError& error, std::ostream& err);

// Names, in the order of their lines, every parcel block of `file` that did not read, every record
// a parcel left out and, with `checkEdges`, every "C03" value that its corners' coordinates do not
// give.
void reportParcelMessages(const std::filesystem::path& file, const coords::ParcelFile& read,
                          bool checkEdges, std::ostream& err);
// The parcels of a file for a drawing or a map, as the pass over its points found them. A parcel
// that does not read is left out, and so is every parcel of a file whose records after the points
// do not read; each with a warning, as is every record that a parcel left out.
std::vector<coords::Parcel> parcelsWithWarnings(const std::filesystem::path& file,
                                                coords::ImportedParcels& found, std::ostream& err);

// Runs `write`, turning a failure to write an output into a message and kWriteFailure.
int guardWrites(std::ostream& err, const std::function<int()>& write);

// What the import's pass over a SIM file brought: the points written into the sheet, and the
// parcels around them.
struct ImportedSim {
    int points = 0;
    coords::ImportedParcels parcels;
};

// Reads a SIM file into the coordinate sheet as the import does; nothing when the name fails the
// SIM file check or the file does not read, which `err` is told (the exit code is then
// kReadFailure).
std::optional<ImportedSim> importSim(const std::filesystem::path& file, platform::Worksheet& sheet,
                                     std::ostream& err);

// Writes the workbook that holds the coordinate sheet, which `host` made, as an .xlsx file.
void exportWorkbook(const platform::EmbeddedHost& host, const coords::SheetReferences& sheet,
                    const std::filesystem::path& file);

// The rows of the parcels table as text, each without its line end.
using TableRow = std::vector<std::string>;
// A row as one line of tab-separated text. A tab or line end inside a field becomes a blank, so
// that every row stays one line of the same columns.
std::string tabLine(const TableRow& row);
// A row as one CSV line: fields joined by commas, a field that holds a comma, a double quote or a
// line end put in double quotes with its quotes doubled.
std::string csvLine(const TableRow& row);

}  // namespace zelanto::cli

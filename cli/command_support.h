#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

#include "coords/coordinate_sheet.h"
#include "coords/parcel.h"
#include "coords/sim_read_error.h"

namespace zelanto::cli {

// A path that fails the SIM file check: exit code and message.
int rejectSimFileName(const std::filesystem::path& file, std::ostream& err);
int reportReadFailure(const coords::SimReadError& error, std::ostream& err);

// Runs `write`, turning a failure to write an output into a message and kWriteFailure.
int guardWrites(std::ostream& err, const std::function<int()>& write);

// Reads the points of a SIM file into the coordinate sheet as the import does and returns how
// many; nothing when the name fails the SIM file check or the file does not read, which `err` is
// told (the exit code is then kReadFailure).
std::optional<int> readPoints(const std::filesystem::path& file, platform::Worksheet& sheet,
                              std::ostream& err);

// The parcels of the file for its drawing. A parcel that does not read is left out of it, and so
// is every parcel of a file whose records after the points do not read; each with a warning.
std::vector<coords::Parcel> parcelsToDraw(const std::filesystem::path& file, std::ostream& err);

// Writes the workbook that holds the coordinate sheet as an .xlsx file.
void exportWorkbook(const coords::SheetReferences& sheet, const std::filesystem::path& file);

}  // namespace zelanto::cli

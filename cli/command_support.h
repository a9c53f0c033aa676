#pragma once

#include <filesystem>
#include <functional>
#include <ostream>

#include "coords/coordinate_sheet.h"
#include "coords/parcel.h"
#include "coords/sim_read_error.h"

namespace zelanto::cli {

// A path that fails the SIM file check: exit code and message.
int rejectSimFileName(const std::filesystem::path& file, std::ostream& err);
int reportReadFailure(const coords::SimReadError& error, std::ostream& err);

// The parcels of a file for a drawing or a map. A parcel that does not read is left out, and so is
// every parcel of a file whose records after the points do not read; each with a warning.
std::vector<coords::Parcel> readParcelsWithWarnings(const std::filesystem::path& file,
                                                    std::ostream& err);

// Runs `write`, turning a failure to write an output into a message and kWriteFailure.
int guardWrites(std::ostream& err, const std::function<int()>& write);

// Writes the workbook that holds the coordinate sheet as an .xlsx file.
void exportWorkbook(const coords::SheetReferences& sheet, const std::filesystem::path& file);

}  // namespace zelanto::cli

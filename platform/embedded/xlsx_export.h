#pragma once

#include <filesystem>

#include "platform/embedded/sheet_model.h"

namespace zelanto::platform {

// Writes `sheet` as the one worksheet of an .xlsx workbook, with its values (texts as strings,
// numbers as numbers), column widths, row heights, alignments, fonts, fills, number formats,
// merged blocks and active cell. The file is written beside `target` under a temporary name and
// renamed over it only when complete. A FileError leaves the target as it was.
void writeXlsx(const SheetModel& sheet, const std::filesystem::path& target);

// Writes `sheet` as above into a new file in `folder`, named after the sheet and never replacing
// a file, and returns its path. A FileError leaves no file behind.
std::filesystem::path writeNewXlsx(const SheetModel& sheet, const std::filesystem::path& folder);

}  // namespace zelanto::platform

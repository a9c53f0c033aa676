#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::cad {

// The script's name in the program folder.
constexpr const char* kPlotScriptFileName = "orvik.scr";
// Every pass runs from row 3 to row 10003 at most: 10,001 points.
constexpr int kPlotFirstRow = 3;
constexpr int kPlotLastRow = 10003;

// A coordinate cell that holds a text which is not a number.
class PlotValueError : public std::runtime_error {
public:
    PlotValueError(int row, int column, std::string found);
    int row() const { return row_; }
    int column() const { return column_; }
    const std::string& found() const { return found_; }

private:
    int row_;
    int column_;
    std::string found_;
};

// The data check: row 3 must be a point row (a point number or a name) with X, Y and elevation.
bool hasPlottableData(platform::Worksheet& sheet);

// Writes the script that draws every point of the sheet at scale 1 : `denominator`: a point, a
// circle and the name of each point row from row 3 down to the first row with neither a number
// nor a name (row 10003 at most). A point without a name gets no name lines.
// Code page 932, CR LF; the file replaces `file` once complete. Throws platform::FileError when
// the file cannot be written, platform::HostError, or PlotValueError.
void writePlotScript(platform::Worksheet& sheet, std::int16_t denominator,
                     const std::filesystem::path& file);

}  // namespace zelanto::cad

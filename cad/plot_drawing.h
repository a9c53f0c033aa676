#pragma once

#include <cstdint>
#include <filesystem>

#include "cad/drawing.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::cad {

// The drawing's name in the program folder, beside the script.
constexpr const char* kPlotDrawingFileName = "orvik.dxf";

// The drawing that the plot's keys and script make together in the CAD program, from the same
// rows: for each point, in the script's order, its point and circle on the first layer, then its
// name on the second. The keys turn the coordinate system so that a script position u,v lands at
// world (v, u): north up, east to the right. Numbers are taken as the script writes them.
// Throws platform::HostError or PlotValueError.
Drawing plotDrawing(platform::Worksheet& sheet, std::int16_t denominator);

// Writes that drawing as DXF; the file replaces `file` once complete. Throws platform::FileError
// besides.
void writePlotDrawing(platform::Worksheet& sheet, std::int16_t denominator,
                      const std::filesystem::path& file);

}  // namespace zelanto::cad

#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "cad/drawing.h"
#include "coords/parcel.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::cad {

// The drawing's name in the program folder, beside the script.
constexpr const char* kPlotDrawingFileName = "orvik.dxf";

// Which points of the sheet a drawing holds: those the plot draws (10,001 at most), or every point
// the sheet can hold, for a picture of the whole file.
enum class PlotRows {
    plot,
    wholeSheet,
};

// The drawing that the plot's keys and script make together in the CAD program, from the same
// rows: for each point, in the script's order, its point and circle on the first layer, then its
// name on the second. The keys turn the coordinate system so that a script position u,v lands at
// world (v, u): north up, east to the right. Numbers are taken as the script writes them.
// After the points come `parcels`, placed and scaled as the points are: each an outline on the
// parcel layer with its name at the centre of its area; a drawing without parcels has no such
// layer. Throws platform::HostError or PlotValueError.
Drawing plotDrawing(platform::Worksheet& sheet, std::int16_t denominator,
                    std::span<const coords::Parcel> parcels = {}, PlotRows rows = PlotRows::plot);

// Writes that drawing as DXF; the file replaces `file` once complete. Throws platform::FileError
// besides.
void writePlotDrawing(platform::Worksheet& sheet, std::int16_t denominator,
                      const std::filesystem::path& file,
                      std::span<const coords::Parcel> parcels = {});

}  // namespace zelanto::cad

#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "cad/drawing.h"
#include "coords/parcels.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::cad {

// The drawing scales offered, in list order, and their denominators.
struct Scale {
    std::string_view text;
    std::int16_t denominator;
};

inline constexpr std::array<Scale, 7> kScales{{{"1/100", 100},
                                               {"1/200", 200},
                                               {"1/250", 250},
                                               {"1/300", 300},
                                               {"1/500", 500},
                                               {"1/600", 600},
                                               {"1/1000", 1000}}};

// The scale every run starts with and every unknown text falls back to.
inline constexpr Scale kDefaultScale = kScales[4];

// The denominator of a scale text, compared whole and exactly; nothing for any other text.
constexpr std::optional<std::int16_t> scaleDenominator(std::string_view text) {
    for (const Scale& scale : kScales) {
        if (scale.text == text) {
            return scale.denominator;
        }
    }
    return std::nullopt;
}

// The plot's files in the program folder: the script and, beside it, the drawing.
constexpr const char* kPlotScriptFileName = "orvik.scr";
constexpr const char* kPlotDrawingFileName = "orvik.dxf";
// Every plot reads from row 3 to row 10003 at most: 10,001 points.
constexpr platform::Row kPlotFirstRow{3};
constexpr platform::Row kPlotLastRow{10003};

// What the plot draws for every point, in drawing units, the same at every scale: a point and a
// circle on the first layer, the name on the second, from its point by the name offset.
inline constexpr const char* kPointLayer = "プロット";
inline constexpr int kPointColour = 5;
inline constexpr const char* kNameLayer = "点名";
inline constexpr int kNameColour = 7;
inline constexpr double kCircleRadius = 0.75;
inline constexpr double kTextHeight = 1.5;
inline constexpr double kNameOffsetX = 0.5;
inline constexpr double kNameOffsetY = 1;

// Parcels (画地) of the SIM file: each a closed outline through its corners, on a layer of its
// own in a colour of its own, with its name at the centre of its area.
inline constexpr const char* kParcelLayer = "画地";
inline constexpr int kParcelColour = 3;

// Keys typed into the CAD program before the script: two turns of its coordinate system, 90
// degrees about Z, then 180 degrees about the new X, so that the sheet's X runs up the drawing.
inline constexpr const char* kCoordinateSystemTurnZ = "_ucs _Z 90 ";
inline constexpr const char* kCoordinateSystemTurnX = "_ucs _x 180 ";

// The keys that make the CAD program run the script: file dialogs off, then "script" with the
// path and Return. A blank ends an input there, so a path holding one is put between quotes.
std::string runScriptKeys(const std::string& scriptPath);

// The keys that zoom a CAD program that opened the drawing (LibreCAD) to the whole drawing: "za"
// (zoom auto) and Return on its command line. Its canvas, which has the focus, passes the first
// key on to the command line only after the keys behind it may have reached it, so the first key
// is a blank, which changes nothing wherever it lands.
inline constexpr const char* kZoomToDrawing = " za\r";

// A coordinate cell that holds a text which is not a number.
class PlotValueError : public std::runtime_error {
public:
    PlotValueError(platform::Row row, platform::Column column, std::string found);
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

// A place of the plot where the script puts it: the sheet's X and Y divided by the scale
// denominator, times 1000, before the coordinate system is turned.
struct PlotPosition {
    double x = 0;
    double y = 0;
};

// Where the script puts a place given in the sheet's coordinates, at scale 1 : `denominator`.
PlotPosition plotPosition(double sheetX, double sheetY, double denominator);

// The plot of the coordinate sheet at scale 1 : `denominator`, which the script and the drawing
// are both made from. The sheet is read once, a row at a time from row 3 down to the first row
// that holds neither a point number nor a name (row 10003 at most): field data has unnamed
// points, and they are drawn without a name. An empty coordinate cell counts as 0.
class Plot {
public:
    // Reads the points of `sheet`, down to `lastRow` at most (a picture of the whole file takes
    // more than the script). Throws platform::HostError, or PlotValueError for a coordinate that
    // is not a number.
    Plot(platform::Worksheet& sheet, std::int16_t denominator,
         platform::Row lastRow = kPlotLastRow);

    // The script that draws every point: a point, a circle and, for a point with a name, the
    // name, in passes over the points as the CAD program takes them. Code page 932, CR LF; the
    // file replaces `file` once complete. Throws base::FileError when it cannot be written.
    void writeScript(const std::filesystem::path& file) const;

    // The drawing that the keys and the script make together in the CAD program: for each
    // point, in the script's order, its point and circle on the first layer, then its name on
    // the second. The keys turn the coordinate system so that a script position u,v lands at
    // world (v, u): north up, east to the right. Numbers are taken as the script writes them.
    // After the points come the SIM file's `parcels`, placed and scaled as the points are: each
    // an outline on the parcel layer with its name at the centre of its area; a drawing without
    // parcels has no such layer.
    Drawing drawing(std::span<const coords::Parcel> parcels = {}) const;
    // Writes that drawing as DXF; the file replaces `file` once complete. Throws
    // base::FileError when it cannot be written.
    void writeDrawing(const std::filesystem::path& file,
                      std::span<const coords::Parcel> parcels = {}) const;

private:
    struct Point {
        PlotPosition at;
        std::string name;  // a name held as a number in its number text; empty for none
    };

    std::vector<Point> points_;
    std::int16_t denominator_;
};

}  // namespace zelanto::cad

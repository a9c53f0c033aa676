#include "cad/plot.h"

#include "base/atomic_file.h"
#include "base/decimal_number.h"
#include "cad/dxf_file.h"
#include "coords/coordinate_sheet.h"
#include "coords/parcel_measure.h"

namespace zelanto::cad {
namespace {

using base::numberText;

// Drawing units per sheet unit after the division by the scale denominator.
constexpr double kUnitFactor = 1000;

// The radius, the height and the rotation are written as the texts of single-precision constants.
constexpr const char* kCircleRadiusText = "0.75";
constexpr const char* kTextHeightText = "1.5";
constexpr const char* kTextRotationText = "90";

// The number a coordinate cell holds: an empty cell counts as 0.
double sheetNumber(platform::Worksheet& sheet, platform::Row row, platform::Column column) {
    const platform::CellValue cell = sheet.value(row, column);
    if (cell.isEmpty()) {
        return 0;
    }
    if (cell.isNumber()) {
        return cell.number();
    }
    if (const auto number = base::parseDecimalNumber(cell.text())) {
        return *number;
    }
    throw PlotValueError(row, column, cell.text());
}

std::string positionText(double x, double y) {
    return base::numberText(x) + "," + base::numberText(y);
}

// The number the CAD program reads from the script's text of `value`.
double asWritten(double value) {
    return base::parseDecimalNumber(base::numberText(value)).value_or(value);
}

// Where a script position lands in the turned coordinate system.
WorldPoint worldPoint(double scriptFirst, double scriptSecond) {
    return {asWritten(scriptSecond), asWritten(scriptFirst)};
}

// The world place of a place in the sheet's coordinates, by the same way as the points.
WorldPoint parcelWorldPoint(double sheetX, double sheetY, std::int16_t denominator) {
    const PlotPosition at = plotPosition(sheetX, sheetY, denominator);
    return worldPoint(at.x, at.y);
}

void drawParcels(Drawing& drawing, std::span<const coords::Parcel> parcels,
                 std::int16_t denominator) {
    if (parcels.empty()) {
        return;
    }
    drawing.layers.push_back({kParcelLayer, kParcelColour});
    for (const coords::Parcel& parcel : parcels) {
        OutlineEntity outline{kParcelLayer, kParcelColour, {}};
        for (const coords::ParcelCorner& corner : parcel.corners) {
            outline.vertices.push_back(parcelWorldPoint(corner.x, corner.y, denominator));
        }
        drawing.entities.emplace_back(std::move(outline));
    }
    for (const coords::Parcel& parcel : parcels) {
        const coords::ParcelPoint centre = coords::parcelCentroid(parcel);
        drawing.entities.emplace_back(TextEntity{
            kParcelLayer, kParcelColour, parcelWorldPoint(centre.x, centre.y, denominator),
            kTextHeight, parcel.name, TextAnchor::middleCentre});
    }
}

}  // namespace

std::string runScriptKeys(const std::string& scriptPath) {
    const bool quoted = scriptPath.find(' ') != std::string::npos;
    return "filedia 0 script " + (quoted ? "\"" + scriptPath + "\"" : scriptPath) + "\r";
}

PlotValueError::PlotValueError(platform::Row row, platform::Column column, std::string found)
    : std::runtime_error("row " + std::to_string(row.number) + ", column " +
                         std::to_string(column.number) + ": not a number"),
      row_(row.number),
      column_(column.number),
      found_(std::move(found)) {}

bool hasPlottableData(platform::Worksheet& sheet) {
    const coords::PointRow first = coords::readPointRow(sheet, kPlotFirstRow);
    const bool isPointRow = !first.number.isEmpty() || !first.name.isEmpty();
    return isPointRow && !first.x.isEmpty() && !first.y.isEmpty() && !first.elevation.isEmpty();
}

PlotPosition plotPosition(double sheetX, double sheetY, double denominator) {
    return {sheetX / denominator * kUnitFactor, sheetY / denominator * kUnitFactor};
}

Plot::Plot(platform::Worksheet& sheet, std::int16_t denominator, platform::Row lastRow)
    : denominator_(denominator) {
    for (platform::Row row = kPlotFirstRow; row <= lastRow; ++row) {
        const platform::CellValue name = sheet.value(row, coords::kNameColumn);
        // A point row holds a point number or a name.
        if (name.isEmpty() && sheet.value(row, coords::kNumberColumn).isEmpty()) {
            break;
        }
        const double x = sheetNumber(sheet, row, coords::kXColumn);
        const double y = sheetNumber(sheet, row, coords::kYColumn);
        points_.push_back({plotPosition(x, y, denominator), name.isEmpty() ? std::string()
                                                            : name.isNumber()
                                                                ? base::numberText(name.number())
                                                                : name.text()});
    }
}

void Plot::writeScript(const std::filesystem::path& file) const {
    base::AnsiTextFile out(file);
    out.writeLine("-osnap ");
    out.writeLine(std::string("layer m ") + kPointLayer + " ");
    out.writeLine("color " + std::to_string(kPointColour));
    for (const Point& point : points_) {
        out.writeLine("point " + positionText(point.at.x, point.at.y));
    }
    for (const Point& point : points_) {
        out.writeLine("circle " + positionText(point.at.x, point.at.y) + " " + kCircleRadiusText);
    }
    const auto nameLayer = base::AnsiTextFile::convert(std::string("layer m ") + kNameLayer + " ");
    const auto nameColour = base::AnsiTextFile::convert("color " + std::to_string(kNameColour));
    for (const Point& point : points_) {
        if (point.name.empty()) {
            continue;  // an unnamed point has no name to write
        }
        out.writeLine(nameLayer);
        out.writeLine(nameColour);
        out.writeLine("text j bl " +
                      positionText(point.at.x + kNameOffsetX, point.at.y + kNameOffsetY) + " " +
                      kTextHeightText + " " + kTextRotationText + " " + point.name);
    }
    out.writeLine("style      N Y ");
    out.writeLine("filedia 1");
    out.writeLine("zoom e");
    out.commit();
}

Drawing Plot::drawing(std::span<const coords::Parcel> parcels) const {
    Drawing drawing{{{kPointLayer, 7}, {kNameLayer, 7}}, {}};
    drawing.entities.reserve(points_.size() * 3);
    for (const Point& point : points_) {
        drawing.entities.emplace_back(
            PointEntity{kPointLayer, kPointColour, worldPoint(point.at.x, point.at.y)});
    }
    for (const Point& point : points_) {
        drawing.entities.emplace_back(CircleEntity{
            kPointLayer, kPointColour, worldPoint(point.at.x, point.at.y), kCircleRadius});
    }
    for (const Point& point : points_) {
        if (point.name.empty()) {
            continue;
        }
        drawing.entities.emplace_back(
            TextEntity{kNameLayer, kNameColour,
                       worldPoint(point.at.x + kNameOffsetX, point.at.y + kNameOffsetY),
                       kTextHeight, point.name});
    }
    drawParcels(drawing, parcels, denominator_);
    return drawing;
}

void Plot::writeDrawing(const std::filesystem::path& file,
                        std::span<const coords::Parcel> parcels) const {
    writeDxfFile(drawing(parcels), file);
}

}  // namespace zelanto::cad

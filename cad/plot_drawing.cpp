#include "cad/plot_drawing.h"

#include "cad/dxf_file.h"
#include "cad/plot_geometry.h"
#include "cad/plot_sheet.h"
#include "coords/coordinate_sheet.h"
#include "coords/number_text.h"
#include "coords/parcel_measure.h"
#include "coords/sim_import.h"
#include "platform/text/decimal_number.h"

namespace zelanto::cad {
namespace {

// The number the CAD program reads from the script's text of `value`.
double asWritten(double value) {
    return platform::parseDecimalNumber(coords::numberText(value)).value_or(value);
}

// Where a script position lands in the turned coordinate system.
WorldPoint worldPoint(double scriptFirst, double scriptSecond) {
    return {asWritten(scriptSecond), asWritten(scriptFirst)};
}

struct PlotPoint {
    PlotPosition at;
    std::string name;
};

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

std::vector<PlotPoint> plotPoints(platform::Worksheet& sheet, std::int16_t denominator,
                                  PlotRows extent) {
    const int lastRow = extent == PlotRows::plot
                            ? kPlotLastRow
                            : coords::kFirstPointRow + coords::kImportPointLimit - 1;
    PlotSheet rows(sheet, denominator, lastRow);
    std::vector<PlotPoint> points;
    rows.forEachRow([&](int row) {
        const PlotPosition at = rows.position(row);
        points.push_back({at, rows.name(row)});
    });
    return points;
}

}  // namespace

Drawing plotDrawing(platform::Worksheet& sheet, std::int16_t denominator,
                    std::span<const coords::Parcel> parcels, PlotRows rows) {
    const std::vector<PlotPoint> points = plotPoints(sheet, denominator, rows);
    Drawing drawing{{{kPointLayer, 7}, {kNameLayer, 7}}, {}};
    drawing.entities.reserve(points.size() * 3);
    for (const PlotPoint& point : points) {
        drawing.entities.emplace_back(
            PointEntity{kPointLayer, kPointColour, worldPoint(point.at.x, point.at.y)});
    }
    for (const PlotPoint& point : points) {
        drawing.entities.emplace_back(CircleEntity{
            kPointLayer, kPointColour, worldPoint(point.at.x, point.at.y), kCircleRadius});
    }
    for (const PlotPoint& point : points) {
        drawing.entities.emplace_back(
            TextEntity{kNameLayer, kNameColour,
                       worldPoint(point.at.x + kNameOffsetX, point.at.y + kNameOffsetY),
                       kTextHeight, point.name});
    }
    drawParcels(drawing, parcels, denominator);
    return drawing;
}

void writePlotDrawing(platform::Worksheet& sheet, std::int16_t denominator,
                      const std::filesystem::path& file, std::span<const coords::Parcel> parcels) {
    writeDxfFile(plotDrawing(sheet, denominator, parcels), file);
}

}  // namespace zelanto::cad

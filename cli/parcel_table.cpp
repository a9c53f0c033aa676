#include "cli/parcel_table.h"

#include "coords/number_text.h"
#include "coords/parcel_measure.h"

namespace zelanto::cli {
namespace {

using coords::numberText;

const TableRow kHeader = {"番号", "名称", "点数", "面積", "周長"};
const TableRow kAreaTableHeader = {"",      "電算No",    "測点名",        "X座標",
                                   "Y座標", "Yn+1−Yn−1", "Xn×(Yn+1−Yn−1)"};
const char* const kDoubleArea = "倍面積";

void addAreaTable(const coords::Parcel& parcel, std::vector<TableRow>& rows) {
    rows.push_back(kAreaTableHeader);
    const coords::AreaTable table = coords::areaTable(parcel);
    for (size_t i = 0; i < parcel.corners.size(); ++i) {
        const coords::ParcelCorner& corner = parcel.corners[i];
        rows.push_back({"", corner.number, corner.name, numberText(corner.x), numberText(corner.y),
                        numberText(table.rows[i].yDifference), numberText(table.rows[i].product)});
    }
    rows.push_back({"", kDoubleArea, "", "", "", "", numberText(table.doubleArea)});
}

}  // namespace

std::vector<TableRow> parcelTable(const std::vector<coords::Parcel>& parcels, bool detail) {
    std::vector<TableRow> rows{kHeader};
    for (const coords::Parcel& parcel : parcels) {
        rows.push_back({parcel.number, parcel.name, std::to_string(parcel.corners.size()),
                        numberText(coords::parcelArea(parcel)),
                        numberText(coords::parcelPerimeter(parcel))});
        if (detail) {
            addAreaTable(parcel, rows);
        }
    }
    return rows;
}

}  // namespace zelanto::cli

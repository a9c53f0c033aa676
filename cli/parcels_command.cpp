#include <algorithm>

#include "base/atomic_file.h"
#include "base/decimal_number.h"
#include "cli/commands.h"
#include "coords/dms_angle.h"
#include "coords/parcel_measure.h"
#include "coords/parcels.h"
#include "coords/sim_file.h"

namespace zelanto::cli {
namespace {

std::string csvField(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        return field;
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

using base::numberText;

const TableRow kHeader = {"番号", "名称", "点数", "面積", "周長"};
const TableRow kAreaTableHeader = {"",      "電算No",    "測点名",        "X座標",
                                   "Y座標", "Yn+1−Yn−1", "Xn×(Yn+1−Yn−1)"};
const TableRow kEdgeHeader = {"辺長", "方向角", "辺長（C03）", "方向角（C03）"};
const char* const kDoubleArea = "倍面積";

bool hasWrittenEdges(const coords::Parcel& parcel) {
    return std::any_of(parcel.corners.begin(), parcel.corners.end(),
                       [](const coords::ParcelCorner& corner) { return corner.edge.has_value(); });
}

// The edge from corner `i` to the next: its length and bearing from the coordinates, then the
// file's "C03" values where it writes them.
void addEdgeColumns(const coords::Parcel& parcel, size_t i, const coords::EdgeMeasure& edge,
                    TableRow& row) {
    const coords::EdgePlaces places = coords::edgePlaces(parcel, i);
    row.push_back(coords::lengthText(edge.length, places.length));
    row.push_back(edge.bearing ? coords::dmsText(coords::dmsAngleOfDegrees(*edge.bearing,
                                                                           places.secondDecimals))
                               : "");
    const auto& written = parcel.corners[i].edge;
    row.push_back(written ? written->lengthText : "");
    row.push_back(written ? coords::dmsText(written->bearing) : "");
}

// The 座標求積表; for a parcel whose file writes its edges, each corner's edge beside it.
void addAreaTable(const coords::Parcel& parcel, std::vector<TableRow>& rows) {
    const bool withEdges = hasWrittenEdges(parcel);
    TableRow header = kAreaTableHeader;
    if (withEdges) {
        header.insert(header.end(), kEdgeHeader.begin(), kEdgeHeader.end());
    }
    rows.push_back(std::move(header));
    const coords::AreaTable table = coords::areaTable(parcel);
    const std::vector<coords::EdgeMeasure> edges =
        withEdges ? coords::edgeMeasures(parcel) : std::vector<coords::EdgeMeasure>();
    for (size_t i = 0; i < parcel.corners.size(); ++i) {
        const coords::ParcelCorner& corner = parcel.corners[i];
        TableRow row = {"",
                        corner.number,
                        corner.name,
                        base::numberText(corner.x),
                        base::numberText(corner.y),
                        base::numberText(table.rows[i].yDifference),
                        base::numberText(table.rows[i].product)};
        if (withEdges) {
            addEdgeColumns(parcel, i, edges[i], row);
        }
        rows.push_back(std::move(row));
    }
    rows.push_back({"", kDoubleArea, "", "", "", "", base::numberText(table.doubleArea)});
}

// The table `zelanto-cli parcels` writes: a header, then one row per parcel (number, name,
// corners, area, perimeter) and, with `detail`, under each parcel its 座標求積表 one column in;
// where the file writes a parcel's edges ("C03"), each corner's row goes on with the edge to the
// next corner: its length and bearing from the coordinates, then as the file writes them.
std::vector<TableRow> parcelTable(const std::vector<coords::Parcel>& parcels, bool detail) {
    std::vector<TableRow> rows{kHeader};
    for (const coords::Parcel& parcel : parcels) {
        rows.push_back({parcel.number, parcel.name, std::to_string(parcel.corners.size()),
                        base::numberText(coords::parcelArea(parcel)),
                        base::numberText(coords::parcelPerimeter(parcel))});
        if (detail) {
            addAreaTable(parcel, rows);
        }
    }
    return rows;
}

void writeCsv(const std::vector<TableRow>& rows, const std::filesystem::path& file) {
    base::AnsiTextFile csv(file);
    for (const TableRow& row : rows) {
        csv.writeLine(csvLine(row));
    }
    csv.commit();
}

}  // namespace

std::string tabLine(const TableRow& row) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) {
        if (i > 0) {
            line += '\t';
        }
        for (const char c : row[i]) {
            line += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
        }
    }
    return line;
}

std::string csvLine(const TableRow& row) {
    std::string line;
    for (size_t i = 0; i < row.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        line += csvField(row[i]);
    }
    return line;
}

int runParcels(const ParcelsArguments& arguments, std::ostream& out, std::ostream& err) {
    if (const auto refusal = coords::simFileRefusal(arguments.file)) {
        return rejectSimFile(arguments.file, *refusal, err);
    }
    coords::ParcelFile file;
    try {
        file = coords::readParcels(arguments.file);
    } catch (const coords::SimReadError& error) {
        return reportReadFailure(error, err);
    }
    reportParcelMessages(arguments.file, file, true, err);
    if (!file.issues.empty()) {
        return kReadFailure;
    }
    if (file.parcels.empty()) {
        err << "zelanto-cli: " << arguments.file.string()
            << ": 画地（D00 から D99 までのブロック）がありません\n";
        return kNoParcels;
    }
    const std::vector<TableRow> rows = parcelTable(file.parcels, arguments.detail);
    if (!arguments.csv) {
        for (const TableRow& row : rows) {
            out << tabLine(row) << '\n';
        }
        return kSuccess;
    }
    return guardWrites(err, [&] {
        writeCsv(rows, *arguments.csv);
        out << arguments.csv->string() << ": " << file.parcels.size() << " 画地を書き出しました\n";
        return kSuccess;
    });
}

}  // namespace zelanto::cli

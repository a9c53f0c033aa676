#include "coords/sim_writer.h"

#include "base/decimal_number.h"
#include "coords/coordinate_sheet.h"

namespace zelanto::coords {
namespace {

void writeHeaderLines(base::AnsiTextFile& out, const platform::CellValue& title) {
    out.writeLine("Z00,/orvik simformat ver.1.0/,");
    out.writeLine("G00,01," + simFieldText(title) + ",");
    out.writeLine("Z00,/座標データ/,");
    out.writeLine("A00,");
}

// A record line: the code and each field followed by a comma.
std::string recordLine(const char* code, std::initializer_list<platform::CellValue> fields) {
    std::string line = code;
    line += ',';
    for (const platform::CellValue& field : fields) {
        line += simFieldText(field);
        line += ',';
    }
    return line;
}

}  // namespace

std::string simFieldText(const platform::CellValue& cell) {
    if (cell.isEmpty()) {
        return "";
    }
    if (cell.isNumber()) {
        return base::numberText(cell.number());
    }
    if (cell.text().find(',') != std::string::npos) {
        return "\"" + cell.text() + "\"";
    }
    return cell.text();
}

void MergedSimWriter::write(platform::Worksheet& sheet) {
    writeHeaderLines(out_, sheet.value(platform::Row(1), kNumberColumn));
    for (int i = 1; i <= kSimWriterPointLimit; ++i) {
        const platform::Row row = kFirstPointRow + (i - 1);
        if (sheet.value(row, kNumberColumn).isEmpty()) {
            break;
        }
        out_.writeLine(recordLine(
            "A01", {std::to_string(i), sheet.value(row, kNameColumn), sheet.value(row, kXColumn),
                    sheet.value(row, kYColumn), sheet.value(row, kElevationColumn)}));
    }
    out_.writeLine("A99,");
    out_.commit();
}

void writeMergedSim(platform::Worksheet& sheet, const std::filesystem::path& file) {
    MergedSimWriter(file).write(sheet);
}

void writeSimFile(const std::filesystem::path& file, const std::vector<SimFilePoint>& points,
                  const std::vector<SimFileParcel>& parcels) {
    base::AnsiTextFile out(file);
    writeHeaderLines(out, kCoordinateSheetTitle);
    for (const SimFilePoint& point : points) {
        const platform::CellValue elevation =
            point.elevation ? platform::CellValue(*point.elevation) : platform::CellValue();
        out.writeLine(recordLine("A01", {point.number, point.name, point.x, point.y, elevation}));
    }
    out.writeLine("A99,");
    for (const SimFileParcel& parcel : parcels) {
        out.writeLine(recordLine("D00", {parcel.number, parcel.name, parcel.kind}));
        for (const SimFileParcel::Corner& corner : parcel.corners) {
            out.writeLine(recordLine("B01", {corner.number, corner.name}));
        }
        out.writeLine("D99,");
    }
    out.commit();
}

}  // namespace zelanto::coords

#include "coords/sim_writer.h"

#include "coords/coordinate_sheet.h"
#include "coords/number_text.h"

namespace zelanto::coords {

std::string simFieldText(const platform::CellValue& cell) {
    if (cell.isEmpty()) {
        return "";
    }
    if (cell.isNumber()) {
        return numberText(cell.number());
    }
    if (cell.text().find(',') != std::string::npos) {
        return "\"" + cell.text() + "\"";
    }
    return cell.text();
}

void MergedSimWriter::write(platform::Worksheet& sheet) {
    out_.writeLine("Z00,/orvik simformat ver.1.0/,");
    out_.writeLine("G00,01," + simFieldText(sheet.value(1, 1)) + ",");
    out_.writeLine("Z00,/座標データ/,");
    out_.writeLine("A00,");
    for (int i = 1; i <= kSimWriterPointLimit; ++i) {
        const int row = i + kFirstPointRow - 1;
        if (sheet.value(row, kNumberColumn).isEmpty()) {
            break;
        }
        std::string line = "A01," + std::to_string(i) + ",";
        for (int column = kNameColumn; column <= kElevationColumn; ++column) {
            line += simFieldText(sheet.value(row, column)) + ",";
        }
        out_.writeLine(line);
    }
    out_.writeLine("A99,");
    out_.commit();
}

void writeMergedSim(platform::Worksheet& sheet, const std::filesystem::path& file) {
    MergedSimWriter(file).write(sheet);
}

}  // namespace zelanto::coords

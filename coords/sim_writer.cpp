#include "coords/sim_writer.h"

#include "coords/coordinate_sheet.h"
#include "coords/number_text.h"
#include "platform/ansi_text_file.h"

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

void writeMergedSim(platform::Worksheet& sheet, const std::filesystem::path& file) {
    platform::AnsiTextFile out(file);
    out.writeLine("Z00,/orvik simformat ver.1.0/,");
    out.writeLine("G00,01," + simFieldText(sheet.value(1, 1)) + ",");
    out.writeLine("Z00,/座標データ/,");
    out.writeLine("A00,");
    for (int i = 1; i <= kSimWriterPointLimit; ++i) {
        const int row = i + kFirstPointRow - 1;
        if (sheet.value(row, kNumberColumn).isEmpty()) {
            break;
        }
        std::string line = "A01," + std::to_string(i) + ",";
        for (int column = kNameColumn; column <= kElevationColumn; ++column) {
            line += simFieldText(sheet.value(row, column)) + ",";
        }
        out.writeLine(line);
    }
    out.writeLine("A99,");
    out.commit();
}

}  // namespace zelanto::coords

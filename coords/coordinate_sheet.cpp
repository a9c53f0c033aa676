#include "coords/coordinate_sheet.h"

#include "coords/number_text.h"

namespace zelanto::coords {
namespace {

constexpr const char* kSheetName = "SIM座標データ";
constexpr const char* kTitle = "SIM座標データ一覧";
constexpr const char* kHeaders[] = {"電算No", "測点名", "X座標", "Y座標", "標高値"};
constexpr const char* kColumnNames[] = {"A:A", "B:B", "C:C", "D:D", "E:E"};
constexpr double kColumnWidths[] = {9.38, 14.88, 25.13, 25.13, 11.63};

constexpr int kCentredAcross = 3;
constexpr int kCentredDown = 2;
constexpr int kWhite = 2;
constexpr int kBlue = 5;
constexpr int kYellow = 6;

}  // namespace

void SheetReferences::release() noexcept {
    application.reset();
    workbook.reset();
    worksheet.reset();
}

SheetReferences startCoordinateWorkbook(platform::SpreadsheetHost& host) {
    SheetReferences references;
    references.application = host.createApplication();
    references.workbook = references.application->addWorkbook();
    references.worksheet = references.workbook->worksheet("Sheet1");
    return references;
}

void nameCoordinateSheet(platform::Worksheet& sheet) {
    sheet.setName(kSheetName);
}

void layOutCoordinateSheet(platform::Worksheet& sheet) {
    for (int i = 0; i < 5; ++i) {
        sheet.setColumnWidth(kColumnNames[i], kColumnWidths[i]);
    }
    sheet.setHorizontalAlignment("A:E", kCentredAcross);
    sheet.setVerticalAlignment("A:E", kCentredDown);
    sheet.setRowHeight("1:1", 33);
    sheet.setRowHeight("2:2", 23.25);
    sheet.setFontName("A1:E1", "ＭＳ ゴシック");
    sheet.setFontSize("A1:E1", 20);
    sheet.setMergeCells("A1:E1", true);
    sheet.setFontColorIndex("A1:E1", kWhite);
    sheet.setInteriorColorIndex("A1:E1", kBlue);
    sheet.setInteriorColorIndex("A2:E2", kYellow);
    sheet.setValue(1, 1, kTitle);
    sheet.setNumberFormatLocal("C:D", "0.0000000_ ");
    sheet.setNumberFormatLocal("E:E", "0.000_ ");
    sheet.setNumberFormatLocal("A:B", "@");
    for (int column = 1; column <= 5; ++column) {
        sheet.setValue(2, column, kHeaders[column - 1]);
    }
}

SheetReferences createCoordinateSheet(platform::SpreadsheetHost& host) {
    SheetReferences references = startCoordinateWorkbook(host);
    nameCoordinateSheet(*references.worksheet);
    layOutCoordinateSheet(*references.worksheet);
    return references;
}

void writePointRow(platform::Worksheet& sheet, int row, const platform::CellValue& number,
                   const SimReader& reader, const SimPoint& point) {
    // A coordinate goes in as the text of its number; the host stores it as a number.
    const auto coordinate = [&](SimItemRole role) {
        return platform::CellValue(numberText(reader.coordinateValue(point, role)));
    };
    sheet.setValue(row, kNumberColumn, number);
    sheet.setValue(row, kNameColumn, point.name.text);
    sheet.setValue(row, kXColumn, coordinate(SimItemRole::X));
    sheet.setValue(row, kYColumn, coordinate(SimItemRole::Y));
    sheet.setValue(row, kElevationColumn, coordinate(SimItemRole::Elevation));
}

PointRow readPointRow(platform::Worksheet& sheet, int row) {
    return PointRow{sheet.value(row, kNumberColumn), sheet.value(row, kNameColumn),
                    sheet.value(row, kXColumn), sheet.value(row, kYColumn),
                    sheet.value(row, kElevationColumn)};
}

}  // namespace zelanto::coords

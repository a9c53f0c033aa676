#include "coords/coordinate_sheet.h"

#include "base/decimal_number.h"

namespace zelanto::coords {
namespace {

constexpr const char* kSheetName = "SIM座標データ";
constexpr const char* kHeaders[] = {"電算No", "測点名", "X座標", "Y座標", "標高値"};
constexpr double kColumnWidths[] = {9.38, 14.88, 25.13, 25.13, 11.63};

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
    using namespace platform::literals;
    using platform::HorizontalAlignment;
    using platform::VerticalAlignment;
    for (platform::Column column = kNumberColumn; column <= kElevationColumn; ++column) {
        sheet.setColumnWidth(platform::RangeAddress::columns(column.number, column.number),
                             kColumnWidths[column.number - 1]);
    }
    sheet.setHorizontalAlignment("A:E"_range, HorizontalAlignment::Centre);
    sheet.setVerticalAlignment("A:E"_range, VerticalAlignment::Middle);
    sheet.setRowHeight("1:1"_range, 33);
    sheet.setRowHeight("2:2"_range, 23.25);
    sheet.setFontName("A1:E1"_range, "ＭＳ ゴシック");
    sheet.setFontSize("A1:E1"_range, 20);
    sheet.setMergeCells("A1:E1"_range, true);
    sheet.setFontColor("A1:E1"_range, platform::kPaletteWhite);
    sheet.setInteriorColor("A1:E1"_range, platform::kPaletteBlue);
    sheet.setInteriorColor("A2:E2"_range, platform::kPaletteYellow);
    sheet.setValue(platform::Row(1), kNumberColumn, kCoordinateSheetTitle);
    sheet.setNumberFormat("C:D"_range, "0.0000000_ ");
    sheet.setNumberFormat("E:E"_range, "0.000_ ");
    sheet.setNumberFormat("A:B"_range, platform::kTextNumberFormat);
    for (platform::Column column = kNumberColumn; column <= kElevationColumn; ++column) {
        sheet.setValue(platform::Row(2), column, kHeaders[column.number - 1]);
    }
}

SheetReferences createCoordinateSheet(platform::SpreadsheetHost& host) {
    SheetReferences references = startCoordinateWorkbook(host);
    nameCoordinateSheet(*references.worksheet);
    layOutCoordinateSheet(*references.worksheet);
    return references;
}

void writePointRow(platform::Worksheet& sheet, platform::Row row, const platform::CellValue& number,
                   const SimPoint& point) {
    // A coordinate goes in as the text of its number, which the host stores as that number. An
    // item that is the plain decimal of its number gives that number back, so it goes in as it
    // is, without the text and the host's reading of it (a -0 as 0, as its text has no sign).
    const auto cell = [](const SimCoordinate& coordinate) {
        const double number = coordinate.number();
        if (coordinate.exact) {
            return platform::CellValue(number == 0 ? 0.0 : number);
        }
        return platform::CellValue(base::numberText(number));
    };
    sheet.setValue(row, kNumberColumn, number);
    sheet.setValue(row, kNameColumn, point.name.text);
    sheet.setValue(row, kXColumn, cell(point.x));
    sheet.setValue(row, kYColumn, cell(point.y));
    sheet.setValue(row, kElevationColumn, cell(point.elevation));
}

PointRow readPointRow(platform::Worksheet& sheet, platform::Row row) {
    return PointRow{sheet.value(row, kNumberColumn), sheet.value(row, kNameColumn),
                    sheet.value(row, kXColumn), sheet.value(row, kYColumn),
                    sheet.value(row, kElevationColumn)};
}

}  // namespace zelanto::coords

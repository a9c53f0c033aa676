#pragma once

#include <memory>

#include "coords/sim_reader.h"
#include "platform/sheet/cell.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::coords {

// Columns of a point row.
inline constexpr platform::Column kNumberColumn{1};     // A "電算No"
inline constexpr platform::Column kNameColumn{2};       // B "測点名"
inline constexpr platform::Column kXColumn{3};          // C "X座標"
inline constexpr platform::Column kYColumn{4};          // D "Y座標"
inline constexpr platform::Column kElevationColumn{5};  // E "標高値"

// The sheet's title in A1, which the SIM writers also put in their "G00" line.
constexpr const char* kCoordinateSheetTitle = "SIM座標データ一覧";

// The first point is in row 3, the k-th in row k + 2.
constexpr platform::Row kFirstPointRow{3};

// The window's references to the spreadsheet application, its workbook and the coordinate sheet.
struct SheetReferences {
    std::shared_ptr<platform::SpreadsheetApplication> application;
    std::shared_ptr<platform::Workbook> workbook;
    std::shared_ptr<platform::Worksheet> worksheet;

    // Drops the three references in this order; the host keeps running with its workbook.
    void release() noexcept;
};

// Building the coordinate sheet, in the order the callers run it (they act on the window
// between the steps):
// starts a new invisible application instance, adds a workbook, takes its "Sheet1";
SheetReferences startCoordinateWorkbook(platform::SpreadsheetHost& host);
// names the sheet "SIM座標データ";
void nameCoordinateSheet(platform::Worksheet& sheet);
// sets widths, alignment, heights, the title block, fills, number formats, title and headers.
void layOutCoordinateSheet(platform::Worksheet& sheet);
// All three steps at once, for callers with nothing to do between them.
SheetReferences createCoordinateSheet(platform::SpreadsheetHost& host);

// Writes a point into `row`: cells A (the given number), B, C, D, E in this order, each by its
// own cell write. Each coordinate is converted just before its cell is written, so a coordinate
// that is not a number leaves the cells to its left written.
void writePointRow(platform::Worksheet& sheet, platform::Row row, const platform::CellValue& number,
                   const SimPoint& point);

struct PointRow {
    platform::CellValue number;
    platform::CellValue name;
    platform::CellValue x;
    platform::CellValue y;
    platform::CellValue elevation;
};

PointRow readPointRow(platform::Worksheet& sheet, platform::Row row);

}  // namespace zelanto::coords

#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/sheet/cell.h"
#include "platform/sheet/range_address.h"

namespace zelanto::platform {

// A host call that failed: the host is gone, refused a value, or has no such object.
class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The worksheet of a spreadsheet host. Rows and columns are 1-based; ranges are whole columns,
// whole rows or blocks of cells (see RangeAddress).
//
// Callers write and read cells one by one in the order their rules give; an implementation may
// buffer consecutive cell writes and serve consecutive reads from one block read, as long as
// every result is what one call per cell would have given.
class Worksheet {
public:
    virtual ~Worksheet() = default;

    virtual void setName(const std::string& name) = 0;
    virtual void setColumnWidth(const RangeAddress& columns, double characters) = 0;
    virtual void setRowHeight(const RangeAddress& rows, double points) = 0;
    virtual void setHorizontalAlignment(const RangeAddress& range,
                                        HorizontalAlignment alignment) = 0;
    virtual void setVerticalAlignment(const RangeAddress& range, VerticalAlignment alignment) = 0;
    virtual void setFontName(const RangeAddress& range, const std::string& name) = 0;
    virtual void setFontSize(const RangeAddress& range, double points) = 0;
    virtual void setFontColor(const RangeAddress& range, PaletteColor color) = 0;
    virtual void setInteriorColor(const RangeAddress& range, PaletteColor color) = 0;
    virtual void setMergeCells(const RangeAddress& range, bool merged) = 0;
    virtual void setNumberFormat(const RangeAddress& range, NumberFormat format) = 0;

    // In a column formatted "@" a text stays text; elsewhere a text that is a complete decimal
    // number is stored as that number. The empty text empties the cell.
    virtual void setValue(Row row, Column column, const CellValue& value) = 0;
    virtual CellValue value(Row row, Column column) = 0;
    // Makes the cell the active cell.
    virtual void select(Row row, Column column) = 0;
};

class Workbook {
public:
    virtual ~Workbook() = default;
    // The worksheet of that name; a HostError when there is none.
    virtual std::shared_ptr<Worksheet> worksheet(const std::string& name) = 0;
};

// The title that the spreadsheet application's main window begins with.
inline constexpr const char* kSpreadsheetWindowTitle = "Microsoft Excel";

// One running instance of the spreadsheet application. Dropping the last reference never
// closes what the user sees.
class SpreadsheetApplication {
public:
    virtual ~SpreadsheetApplication() = default;
    // A new workbook with one worksheet named "Sheet1".
    virtual std::shared_ptr<Workbook> addWorkbook() = 0;
    virtual void setVisible(bool visible) = 0;
    // The title of the window that shows the workbook, by which the plot brings it forward.
    virtual std::string windowTitle() { return kSpreadsheetWindowTitle; }
};

// Starts application instances: each call a new one, invisible until shown.
class SpreadsheetHost {
public:
    virtual ~SpreadsheetHost() = default;
    virtual std::shared_ptr<SpreadsheetApplication> createApplication() = 0;
};

}  // namespace zelanto::platform

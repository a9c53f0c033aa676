#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/sheet/cell_value.h"

namespace zelanto::platform {

// A host call that failed: the host is gone, refused a value, or has no such object.
class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The worksheet of a spreadsheet host. Ranges are addressed as the host does: "A:E" (whole
// columns), "1:1" (whole rows), "A1:E1" (a block of cells). Rows and columns are 1-based.
//
// Callers write and read cells one by one in the order their rules give; an implementation may
// buffer consecutive cell writes and serve consecutive reads from one block read, as long as
// every result is what one call per cell would have given.
class Worksheet {
public:
    virtual ~Worksheet() = default;

    virtual void setName(const std::string& name) = 0;
    virtual void setColumnWidth(const std::string& columns, double characters) = 0;
    virtual void setRowHeight(const std::string& rows, double points) = 0;
    // Alignment codes of the host: horizontal 3 is centred, vertical 2 is centred.
    virtual void setHorizontalAlignment(const std::string& range, int code) = 0;
    virtual void setVerticalAlignment(const std::string& range, int code) = 0;
    virtual void setFontName(const std::string& range, const std::string& name) = 0;
    virtual void setFontSize(const std::string& range, double points) = 0;
    // Colour indexes of the host's default palette: 2 white, 5 blue, 6 yellow.
    virtual void setFontColorIndex(const std::string& range, int index) = 0;
    virtual void setInteriorColorIndex(const std::string& range, int index) = 0;
    virtual void setMergeCells(const std::string& range, bool merged) = 0;
    // Number formats in the host's local syntax, such as "0.000_ " or "@" (text).
    virtual void setNumberFormatLocal(const std::string& range, const std::string& format) = 0;

    // In a column formatted "@" a text stays text; elsewhere a text that is a complete decimal
    // number is stored as that number. The empty text empties the cell.
    virtual void setValue(int row, int column, const CellValue& value) = 0;
    virtual CellValue value(int row, int column) = 0;
    // Makes the cell the active cell.
    virtual void select(int row, int column) = 0;
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

#pragma once

// Our LibreOffice instance, its Calc documents and their sheets, in Calc's own terms: what the
// host's logic asks of the UNO layer, and what the tests replace with a double.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/sheet/cell.h"
#include "platform/sheet/range_address.h"

namespace zelanto::platform::calc {

// Calc's horizontal justification of a cell.
enum class HoriJustify : std::int32_t { Standard = 0, Left = 1, Center = 2, Right = 3 };

// A cell property under Calc's own name, with a value of the type Calc takes for it:
// "CharFontNameAsian" a text, "CharHeight" a float, "CharColor" and "VertJustify" an integer,
// "HoriJustify" its enumeration.
struct CellProperty {
    using Value = std::variant<std::string, std::int32_t, float, HoriJustify>;

    std::string name;
    Value value;

    friend bool operator==(const CellProperty&, const CellProperty&) = default;
};

// One sheet of a Calc document of our LibreOffice instance, in Calc's own terms. Every call
// crosses to LibreOffice and either completes or throws a HostError. Ranges are given as the
// host addresses them, 1-based.
class CalcSheet {
public:
    virtual ~CalcSheet() = default;

    virtual void setName(const std::string& name) = 0;
    // Sizes in 1/100 mm.
    virtual void setColumnWidth(const RangeAddress& columns, std::int32_t width) = 0;
    virtual void setRowHeight(const RangeAddress& rows, std::int32_t height) = 0;
    // Sets all of them on every cell of the range, in one call.
    virtual void setProperties(const RangeAddress& range,
                               const std::vector<CellProperty>& properties) = 0;
    virtual void merge(const RangeAddress& range, bool merged) = 0;
    // The document's key of a number format code of the ja-JP locale, added when it is new.
    virtual std::int32_t numberFormatKey(const std::string& format) = 0;
    // Writes a block, its values row by row, as Calc's block transfer does: a number stays a
    // number and a text stays text, even one that reads as a number; an empty value or the empty
    // text leaves the cell empty.
    virtual void setDataArray(const RangeAddress& block, const std::vector<CellValue>& values) = 0;
    // Reads a block row by row: numbers, texts, and the empty text for an empty cell.
    virtual std::vector<CellValue> dataArray(const RangeAddress& block) = 0;
    // Makes the cell the active cell of the document's view.
    virtual void select(int row, int column) = 0;
};

// A Calc document of our LibreOffice instance. Every call either completes or throws a
// HostError; so does every call once the user has closed the document.
class CalcDocument {
public:
    virtual ~CalcDocument() = default;

    // The position of the sheet of that name among the document's sheets; nothing when there is
    // no such sheet.
    virtual std::optional<int> sheetIndex(const std::string& name) = 0;
    virtual std::shared_ptr<CalcSheet> sheetAt(int index) = 0;
    // Shows or hides the document's window; shown, it comes to the front.
    virtual void setVisible(bool visible) = 0;
    // The title of the document's window.
    virtual std::string windowTitle() = 0;
};

// Our LibreOffice instance, reached over one connection.
class CalcOffice {
public:
    virtual ~CalcOffice() = default;

    // A new hidden Calc document whose one sheet is named "Sheet1".
    virtual std::shared_ptr<CalcDocument> newHiddenDocument() = 0;
    // False once the connection is lost: a call went unanswered, or the instance has gone.
    virtual bool connected() const = 0;
};

}  // namespace zelanto::platform::calc

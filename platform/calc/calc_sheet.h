#pragma once

#include <cstdint>
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

}  // namespace zelanto::platform::calc

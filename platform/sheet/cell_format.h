#pragma once

#include <compare>
#include <optional>
#include <string>

namespace zelanto::platform {

// Alignment codes of the host.
enum HorizontalAlignment : int {
    kAlignGeneral = 1,
    kAlignLeft = 2,
    kAlignCentre = 3,
    kAlignRight = 4,
};
enum VerticalAlignment : int {
    kAlignTop = 1,
    kAlignMiddle = 2,
    kAlignBottom = 3,
};

// The number format under which a written text stays text.
inline constexpr const char* kTextNumberFormat = "@";

// The format properties of a column, a row or a cell. A property left unset lets the format of
// the wider range show through.
struct CellFormat {
    std::optional<int> horizontalAlignment;
    std::optional<int> verticalAlignment;
    std::optional<std::string> fontName;
    std::optional<double> fontSize;  // points
    // Colour indexes of the default palette.
    std::optional<int> fontColorIndex;
    std::optional<int> interiorColorIndex;
    // In the host's local syntax, such as "0.000_ ".
    std::optional<std::string> numberFormat;

    // This format with every property that `narrower` sets taken from `narrower`.
    CellFormat overriddenBy(const CellFormat& narrower) const;
    bool isEmpty() const { return *this == CellFormat{}; }

    auto operator<=>(const CellFormat&) const = default;
};

}  // namespace zelanto::platform

#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

#include "platform/sheet/color_palette.h"

namespace zelanto::platform {

// Alignments, numbered as the host numbers them.
enum class HorizontalAlignment : int { General = 1, Left = 2, Centre = 3, Right = 4 };
enum class VerticalAlignment : int { Top = 1, Middle = 2, Bottom = 3 };

// A number format in the host's local syntax, such as "0.000_ ", or "@", under which a written
// text stays text. Made from a constant, so that an empty format fails to compile.
class NumberFormat {
public:
    consteval NumberFormat(const char* code) : code_(code) {
        if (code_.empty()) {
            throw "an empty number format";
        }
    }

    constexpr std::string_view code() const { return code_; }
    constexpr bool isText() const { return code_ == "@"; }

    // By the text of the code.
    constexpr auto operator<=>(const NumberFormat& other) const { return code_ <=> other.code_; }
    constexpr bool operator==(const NumberFormat& other) const { return code_ == other.code_; }

private:
    std::string_view code_;
};

inline constexpr NumberFormat kTextNumberFormat = "@";

// The format properties of a column, a row or a cell. A property left unset lets the format of
// the wider range show through.
struct CellFormat {
    std::optional<HorizontalAlignment> horizontalAlignment;
    std::optional<VerticalAlignment> verticalAlignment;
    std::optional<std::string> fontName;
    std::optional<double> fontSize;  // points
    std::optional<PaletteColor> fontColor;
    std::optional<PaletteColor> interiorColor;
    std::optional<NumberFormat> numberFormat;

    // This format with every property that `narrower` sets taken from `narrower`.
    CellFormat overriddenBy(const CellFormat& narrower) const;
    bool isEmpty() const { return *this == CellFormat{}; }

    auto operator<=>(const CellFormat&) const = default;
};

}  // namespace zelanto::platform

#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zelanto::platform {

// What a spreadsheet cell holds: nothing, a text or a number. An empty cell equals the empty text.
class CellValue {
public:
    CellValue() = default;
    CellValue(std::string text) : value_(std::move(text)) {}
    CellValue(const char* text) : value_(std::string(text)) {}
    CellValue(double number) : value_(number) {}

    bool isNumber() const { return std::holds_alternative<double>(value_); }
    bool isText() const { return std::holds_alternative<std::string>(value_); }
    // True for an empty cell and for the empty text.
    bool isEmpty() const {
        return std::holds_alternative<std::monostate>(value_) || (isText() && text().empty());
    }

    const std::string& text() const { return std::get<std::string>(value_); }
    double number() const { return std::get<double>(value_); }

    friend bool operator==(const CellValue& a, const CellValue& b) {
        if (a.isEmpty() || b.isEmpty()) {
            return a.isEmpty() && b.isEmpty();
        }
        return a.value_ == b.value_;
    }

private:
    std::variant<std::monostate, std::string, double> value_;
};

// The spreadsheet's default palette of 56 colours, addressed by colour index: 1 black, 2 white,
// 3 red, 4 green, 5 blue, 6 yellow, …
constexpr int kPaletteSize = 56;

// A colour of the palette. Made from a constant index, so that an index the palette lacks fails
// to compile.
class PaletteColor {
public:
    consteval explicit PaletteColor(int index) : index_(index) {
        if (index < 1 || index > kPaletteSize) {
            throw "not a colour of the palette";
        }
    }

    constexpr int index() const { return index_; }
    // 0xRRGGBB.
    std::uint32_t rgb() const;

    auto operator<=>(const PaletteColor&) const = default;

private:
    int index_;
};

inline constexpr PaletteColor kPaletteWhite{2};
inline constexpr PaletteColor kPaletteBlue{5};
inline constexpr PaletteColor kPaletteYellow{6};

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

// The rules every spreadsheet host applies to a value written into a cell.

// The host counts the characters of a UTF-8 text, not its bytes, against its limits.
std::ptrdiff_t characterCount(const std::string& utf8);

// Throws a HostError for what no cell can hold: an infinite number, NaN, or a text of more than
// 32767 characters.
void checkStorable(const CellValue& value);

// What a cell holds once `value` is written into it: under the text format "@" a text stays
// text; elsewhere a text that is a complete decimal number becomes that number.
CellValue storedForm(const CellValue& value, bool textFormat);
// The number that `value` becomes as storedForm has it; nothing for a value that is stored as it
// is written.
std::optional<double> storedNumber(const CellValue& value, bool textFormat);

}  // namespace zelanto::platform

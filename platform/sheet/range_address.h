#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

namespace zelanto::platform {

// The size of a worksheet.
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

// A row of a worksheet, 1-based, and a column, 1 for A: types of their own, so that a cell's row
// and column cannot change places.
struct Row {
    int number = 1;

    constexpr explicit Row(int row) : number(row) {}
    constexpr Row operator+(int rows) const { return Row(number + rows); }
    // How many rows lie from `first` down to this one.
    constexpr int operator-(Row first) const { return number - first.number; }
    constexpr Row& operator++() {
        ++number;
        return *this;
    }
    friend constexpr auto operator<=>(Row, Row) = default;
};

struct Column {
    int number = 1;

    constexpr explicit Column(int column) : number(column) {}
    constexpr Column& operator++() {
        ++number;
        return *this;
    }
    friend constexpr auto operator<=>(Column, Column) = default;
};

// A range of a worksheet: whole columns, whole rows or a block of cells. Bounds are 1-based and
// inclusive; whole columns span every row and whole rows every column.
struct RangeAddress {
    enum class Kind { Columns, Rows, Block };

    Kind kind = Kind::Block;
    int firstRow = 1;
    int lastRow = 1;
    int firstColumn = 1;
    int lastColumn = 1;

    // Columns `first` to `last`, as "A:E" addresses them.
    static constexpr RangeAddress columns(int first, int last) {
        return {Kind::Columns, 1, kMaxRows, first, last};
    }

    constexpr bool overlaps(const RangeAddress& other) const {
        return firstRow <= other.lastRow && other.firstRow <= lastRow &&
               firstColumn <= other.lastColumn && other.firstColumn <= lastColumn;
    }
    constexpr bool isSingleCell() const { return firstRow == lastRow && firstColumn == lastColumn; }

    friend bool operator==(const RangeAddress&, const RangeAddress&) = default;
};

namespace range_address_detail {

// One side of an address: column letters, row digits, or both.
struct Reference {
    std::optional<int> column;
    std::optional<int> row;
};

constexpr bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr int letterValue(char c) {
    return (c >= 'a' ? c - 'a' : c - 'A') + 1;
}

// Reads up to `maxLength` characters for which `accept` holds into a number, each character's
// value given by `digit`; nothing when there are none or too many.
template <typename Accept, typename Digit>
constexpr std::optional<int> readNumber(std::string_view text, std::size_t& i,
                                        std::size_t maxLength, int base, Accept accept,
                                        Digit digit) {
    const std::size_t start = i;
    int value = 0;
    while (i < text.size() && accept(text[i])) {
        if (i - start == maxLength) {
            return std::nullopt;
        }
        value = value * base + digit(text[i]);
        ++i;
    }
    if (i == start) {
        return std::nullopt;
    }
    return value;
}

constexpr std::optional<Reference> readReference(std::string_view text) {
    std::size_t i = 0;
    Reference reference;
    // "XFD" is the last column, 1048576 the last row: longer runs are out of range anyway.
    reference.column = readNumber(text, i, 3, 26, isLetter, letterValue);
    reference.row = readNumber(text, i, 7, 10, isDigit, [](char c) { return c - '0'; });
    if (i != text.size() || (!reference.column && !reference.row)) {
        return std::nullopt;
    }
    const bool columnFits = !reference.column || *reference.column <= kMaxColumns;
    const bool rowFits = !reference.row || (*reference.row >= 1 && *reference.row <= kMaxRows);
    if (!columnFits || !rowFits) {
        return std::nullopt;
    }
    return reference;
}

constexpr RangeAddress::Kind kindOf(const Reference& reference) {
    if (!reference.row) {
        return RangeAddress::Kind::Columns;
    }
    return reference.column ? RangeAddress::Kind::Block : RangeAddress::Kind::Rows;
}

}  // namespace range_address_detail

// Reads "A:E" (whole columns), "1:2" (whole rows), "A1:E1" (a block) and "B2" (one cell). Column
// letters may be of either case; bounds given in reverse order are swapped. Nothing for anything
// else, and for anything outside the worksheet.
constexpr std::optional<RangeAddress> readRangeAddress(std::string_view address) {
    using namespace range_address_detail;
    const std::size_t colon = address.find(':');
    const auto first = readReference(address.substr(0, colon));
    const auto last =
        colon == std::string_view::npos ? first : readReference(address.substr(colon + 1));
    if (!first || !last || kindOf(*first) != kindOf(*last)) {
        return std::nullopt;
    }
    const auto kind = kindOf(*first);
    if (colon == std::string_view::npos && kind != RangeAddress::Kind::Block) {
        return std::nullopt;
    }
    // The list form returns values: the pair form would refer to the temporaries.
    const auto [firstRow, lastRow] =
        std::minmax({first->row.value_or(1), last->row.value_or(kMaxRows)});
    const auto [firstColumn, lastColumn] =
        std::minmax({first->column.value_or(1), last->column.value_or(kMaxColumns)});
    return RangeAddress{kind, firstRow, lastRow, firstColumn, lastColumn};
}

inline namespace literals {

// A range written as the host addresses it, read when the program is compiled: "A1:E1"_range.
// An address that does not read fails to compile.
consteval RangeAddress operator""_range(const char* text, std::size_t length) {
    const auto range = readRangeAddress(std::string_view(text, length));
    if (!range) {
        throw "not a range address";
    }
    return *range;
}

}  // namespace literals

// Throws a HostError unless the cell lies on the worksheet.
void checkCellPosition(Row row, Column column);

}  // namespace zelanto::platform

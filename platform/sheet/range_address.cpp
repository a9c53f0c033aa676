#include "platform/sheet/range_address.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform {
namespace {

// One side of an address: column letters, row digits, or both.
struct Reference {
    std::optional<int> column;
    std::optional<int> row;
};

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads up to `maxLength` characters for which `accept` holds into a number, each character's
// value given by `digit`; nothing when there are none or too many.
template <typename Accept, typename Digit>
std::optional<int> readNumber(std::string_view text, size_t& i, size_t maxLength, int base,
                              Accept accept, Digit digit) {
    const size_t start = i;
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

std::optional<Reference> readReference(std::string_view text) {
    size_t i = 0;
    Reference reference;
    // "XFD" is the last column, 1048576 the last row: longer runs are out of range anyway.
    reference.column = readNumber(text, i, 3, 26, isLetter,
                                  [](char c) { return (c >= 'a' ? c - 'a' : c - 'A') + 1; });
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

RangeAddress::Kind kindOf(const Reference& reference) {
    if (!reference.row) {
        return RangeAddress::Kind::Columns;
    }
    return reference.column ? RangeAddress::Kind::Block : RangeAddress::Kind::Rows;
}

std::optional<RangeAddress> readRange(std::string_view address) {
    const size_t colon = address.find(':');
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

}  // namespace

bool RangeAddress::overlaps(const RangeAddress& other) const {
    return firstRow <= other.lastRow && other.firstRow <= lastRow &&
           firstColumn <= other.lastColumn && other.firstColumn <= lastColumn;
}

RangeAddress parseRangeAddress(std::string_view address) {
    const auto range = readRange(address);
    if (!range) {
        throw HostError("not a range address: \"" + std::string(address) + "\"");
    }
    return *range;
}

void checkCellPosition(int row, int column) {
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns) {
        throw HostError("no cell at row " + std::to_string(row) + ", column " +
                        std::to_string(column));
    }
}

}  // namespace zelanto::platform

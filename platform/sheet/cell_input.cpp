#include "platform/sheet/cell_input.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "base/decimal_number.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform {
namespace {

// The host's limit on cell texts, in characters.
constexpr std::ptrdiff_t kMaxTextLength = 32767;

}  // namespace

std::ptrdiff_t characterCount(const std::string& utf8) {
    return std::count_if(utf8.begin(), utf8.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

void checkStorable(const CellValue& value) {
    if (value.isNumber() && !std::isfinite(value.number())) {
        throw HostError("a cell cannot hold an infinite number or NaN");
    }
    // A text has at least as many bytes as characters: only a long one needs counting.
    if (value.isText() && std::ssize(value.text()) > kMaxTextLength &&
        characterCount(value.text()) > kMaxTextLength) {
        throw HostError("a cell holds at most 32767 characters");
    }
}

CellValue storedForm(const CellValue& value, bool textFormat) {
    if (value.isText() && !textFormat) {
        if (const auto number = base::parseDecimalNumber(value.text())) {
            return *number;
        }
    }
    return value;
}

}  // namespace zelanto::platform

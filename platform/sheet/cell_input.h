#pragma once

#include <cstddef>
#include <string>

#include "platform/sheet/cell_value.h"

namespace zelanto::platform {

// The rules every spreadsheet host applies to a value written into a cell.

// The host counts the characters of a UTF-8 text, not its bytes, against its limits.
std::ptrdiff_t characterCount(const std::string& utf8);

// Throws a HostError for what no cell can hold: an infinite number, NaN, or a text of more than
// 32767 characters.
void checkStorable(const CellValue& value);

// What a cell holds once `value` is written into it: under the text format "@" a text stays
// text; elsewhere a text that is a complete decimal number becomes that number.
CellValue storedForm(const CellValue& value, bool textFormat);

}  // namespace zelanto::platform

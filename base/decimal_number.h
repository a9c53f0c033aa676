#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelanto::base {

// Reads a complete decimal number: an optional sign, digits with an optional decimal point ("."),
// and an optional exponent. Anything else, a number too large for a double included, gives
// nothing. Independent of the process locale.
std::optional<double> parseDecimalNumber(std::string_view text);

// The text of a number as ZELANTO writes it into cells, SIM files and scripts: rounded to 15
// significant digits, no trailing zeros after the decimal point, no point for a whole value, "."
// as the point, "-" for a negative value, "0" before the point below 1, no blanks or grouping.
// Magnitudes from 0.0001 up to 10^15 are written in plain decimal form (200, -101, 24.5,
// 0.333333333333333); outside that range the form is a mantissa and a signed exponent of at least
// two digits (1E+15, -2.5E-05), as the ANSI number-to-text conversion writes them.
std::string numberText(double value);

// Reads a plain decimal of at most 15 digits, with an optional sign and point and no exponent
// ("-30726.388"), as parseDecimalNumber does, only quicker. Nothing for any other text. Its number
// is exactly the number that its numberText reads back as: 15 digits are the text of only one
// double.
std::optional<double> parseShortDecimal(std::string_view text);

}  // namespace zelanto::base

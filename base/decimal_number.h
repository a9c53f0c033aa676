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

// The numberText of the number that `text` reads as, found from the digits alone where it can
// be: a plain decimal of at most 15 significant digits from 0.0001 up to 10^15, or zero, without
// leading zeros, loses the zeros that end its fraction (and its point when nothing is left), and
// "-0" becomes "0" ("42172.990" gives "42172.99"). Nothing for any other text, which needs the
// number itself.
std::optional<std::string> numberTextFromDigits(std::string_view text);

}  // namespace zelanto::base

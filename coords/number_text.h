#pragma once

#include <string>

namespace zelanto::coords {

// The text of a number as ZELANTO writes it into cells, SIM files and scripts: rounded to 15
// significant digits, no trailing zeros after the decimal point, no point for a whole value, "."
// as the point, "-" for a negative value, "0" before the point below 1, no blanks or grouping.
// Magnitudes from 0.0001 up to 10^15 are written in plain decimal form (200, -101, 24.5,
// 0.333333333333333); outside that range the form is a mantissa and a signed exponent of at least
// two digits (1E+15, -2.5E-05), as the ANSI number-to-text conversion writes them.
std::string numberText(double value);

}  // namespace zelanto::coords

#pragma once

#include <optional>
#include <string_view>

namespace zelanto::platform {

// Reads a complete decimal number: an optional sign, digits with an optional decimal point ("."),
// and an optional exponent. Anything else, a number too large for a double included, gives
// nothing. Independent of the process locale.
std::optional<double> parseDecimalNumber(std::string_view text);

}  // namespace zelanto::platform

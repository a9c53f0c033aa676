#include "coords/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace zelanto::coords {
namespace {

constexpr int kSignificantDigits = 15;
constexpr int kSmallestPlainExponent = -4;
constexpr int kLargestPlainExponent = 14;

// The value rounded to 15 significant digits: its digits without trailing zeros, and the
// decimal exponent of the first digit.
struct RoundedDecimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

RoundedDecimal roundToSignificantDigits(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    RoundedDecimal rounded;
    rounded.negative = text.front() == '-';
    const size_t e = text.find('e');
    for (char c : text.substr(0, e)) {
        if (c >= '0' && c <= '9') {
            rounded.digits += c;
        }
    }
    rounded.digits.erase(rounded.digits.find_last_not_of('0') + 1);
    rounded.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    return rounded;
}

std::string plainForm(const RoundedDecimal& rounded) {
    const std::string& digits = rounded.digits;
    const int e = rounded.exponent;
    if (e < 0) {
        return "0." + std::string(static_cast<size_t>(-e - 1), '0') + digits;
    }
    const auto integerLength = static_cast<size_t>(e) + 1;
    if (digits.size() <= integerLength) {
        return digits + std::string(integerLength - digits.size(), '0');
    }
    return digits.substr(0, integerLength) + "." + digits.substr(integerLength);
}

std::string exponentForm(const RoundedDecimal& rounded) {
    std::string text = rounded.digits.substr(0, 1);
    if (rounded.digits.size() > 1) {
        text += "." + rounded.digits.substr(1);
    }
    const int magnitude = std::abs(rounded.exponent);
    text += rounded.exponent < 0 ? "E-" : "E+";
    text += (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
    return text;
}

}  // namespace

std::string numberText(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return "0";
    }
    const RoundedDecimal rounded = roundToSignificantDigits(value);
    const bool plain =
        rounded.exponent >= kSmallestPlainExponent && rounded.exponent <= kLargestPlainExponent;
    return (rounded.negative ? "-" : "") + (plain ? plainForm(rounded) : exponentForm(rounded));
}

}  // namespace zelanto::coords

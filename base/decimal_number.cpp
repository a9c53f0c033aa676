#include "base/decimal_number.h"

#include <locale.h>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace zelanto::base {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Advances `i` over digits; returns how many there were.
size_t skipDigits(std::string_view text, size_t& i) {
    const size_t start = i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    return i - start;
}

bool hasDecimalNumberShape(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    size_t mantissaDigits = skipDigits(text, i);
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissaDigits += skipDigits(text, i);
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (skipDigits(text, i) == 0) {
            return false;
        }
    }
    return i == text.size();
}

// Exact powers of ten: a double holds each of them without rounding.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// Digits that always make an exact double: 10^15 < 2^53.
constexpr int kExactDigits = 15;

locale_t classicLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

constexpr int kSignificantDigits = 15;
constexpr int kSmallestPlainExponent = -4;
constexpr int kLargestPlainExponent = 14;

// A decimal form of the value: its digits without trailing zeros (17 at most, as the shortest
// form that reads back may need), and the decimal exponent of the first digit.
struct RoundedDecimal {
    bool negative = false;
    char digits[17];
    int digitCount = 0;
    int exponent = 0;
};

// Reads to_chars' scientific form "-d.ddde-308".
RoundedDecimal decimalOf(const char* text, const char* end) {
    RoundedDecimal decimal;
    decimal.negative = text[0] == '-';
    const char* c = text + (decimal.negative ? 1 : 0);
    for (; *c != 'e'; ++c) {
        if (*c != '.') {
            decimal.digits[decimal.digitCount++] = *c;
        }
    }
    while (decimal.digitCount > 1 && decimal.digits[decimal.digitCount - 1] == '0') {
        --decimal.digitCount;
    }
    const char* exponent = c + 1;
    if (*exponent == '+') {
        ++exponent;
    }
    std::from_chars(exponent, end, decimal.exponent);
    return decimal;
}

// The shortest form of 16 or 17 digits rounded to 15. Rounding it gives what rounding the value
// itself gives unless its digits after the 15th are exactly "5": a boundary between two 15-digit
// numbers that lay strictly between the value and its shortest form would itself be a form that
// reads back, shorter or closer. False for that one case.
bool roundShortestForm(RoundedDecimal& decimal) {
    const bool tie =
        decimal.digitCount == kSignificantDigits + 1 && decimal.digits[kSignificantDigits] == '5';
    if (tie) {
        return false;
    }
    const bool up = decimal.digits[kSignificantDigits] >= '5';
    decimal.digitCount = kSignificantDigits;
    if (up) {
        int at = kSignificantDigits - 1;
        for (; at >= 0 && decimal.digits[at] == '9'; --at) {
            decimal.digits[at] = '0';
        }
        if (at < 0) {
            decimal.digits[0] = '1';
            ++decimal.exponent;
        } else {
            ++decimal.digits[at];
        }
    }
    while (decimal.digitCount > 1 && decimal.digits[decimal.digitCount - 1] == '0') {
        --decimal.digitCount;
    }
    return true;
}

// The value rounded to 15 significant digits.
RoundedDecimal roundToSignificantDigits(double value) {
    char text[32];
    // The shortest form that reads back as the value is that value rounded to 15 digits whenever
    // it has no more than 15, and it is much quicker to find.
    const char* end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
    RoundedDecimal shortest = decimalOf(text, end);
    if (shortest.digitCount <= kSignificantDigits || roundShortestForm(shortest)) {
        return shortest;
    }
    end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific,
                        kSignificantDigits - 1)
              .ptr;
    return decimalOf(text, end);
}

void appendPlainForm(std::string& text, const RoundedDecimal& rounded) {
    const int e = rounded.exponent;
    if (e < 0) {
        text.append("0.");
        text.append(static_cast<size_t>(-e - 1), '0');
        text.append(rounded.digits, static_cast<size_t>(rounded.digitCount));
        return;
    }
    const int integerLength = e + 1;
    for (int i = 0; i < integerLength; ++i) {
        text += i < rounded.digitCount ? rounded.digits[i] : '0';
    }
    if (rounded.digitCount > integerLength) {
        text += '.';
        text.append(rounded.digits + integerLength,
                    static_cast<size_t>(rounded.digitCount - integerLength));
    }
}

void appendExponentForm(std::string& text, const RoundedDecimal& rounded) {
    text += rounded.digits[0];
    if (rounded.digitCount > 1) {
        text += '.';
        text.append(rounded.digits + 1, static_cast<size_t>(rounded.digitCount - 1));
    }
    const int magnitude = std::abs(rounded.exponent);
    text.append(rounded.exponent < 0 ? "E-" : "E+");
    if (magnitude < 10) {
        text += '0';
    }
    text.append(std::to_string(magnitude));
}

// The shortest plain form that reads back as `value`, where it is the value rounded to 15 digits:
// it has no more than 15 significant digits and lies in the range of the plain form. Nothing
// otherwise.
std::optional<std::string> shortPlainForm(double value) {
    const double magnitude = std::fabs(value);
    if (magnitude < 1e-4 || magnitude >= 1e15) {
        return std::nullopt;
    }
    char text[40];
    char* const end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
    int significant = 0;
    bool leading = true;
    for (const char* c = text; c != end; ++c) {
        if (isDigit(*c) && (*c != '0' || !leading)) {
            leading = false;
            ++significant;
        }
    }
    if (significant > kSignificantDigits) {
        return std::nullopt;
    }
    return std::string(text, static_cast<std::size_t>(end - text));
}

}  // namespace

std::optional<double> parseDecimalNumber(std::string_view text) {
    if (const auto plain = parseShortDecimal(text)) {
        return plain;
    }
    if (!hasDecimalNumberShape(text)) {
        return std::nullopt;
    }
    const char* first = text.data() + (text.front() == '+' ? 1 : 0);
    double value = 0;
    if (std::from_chars(first, text.data() + text.size(), value).ec == std::errc()) {
        return value;
    }
    // Out of range: too small rounds towards zero, too large is no number.
    const std::string terminated(text);
    const double outside = strtod_l(terminated.c_str(), nullptr, classicLocale());
    if (!std::isfinite(outside)) {
        return std::nullopt;
    }
    return outside;
}

std::string numberText(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return "0";
    }
    if (auto plain = shortPlainForm(value)) {
        return *std::move(plain);
    }
    const RoundedDecimal rounded = roundToSignificantDigits(value);
    std::string text;
    if (rounded.negative) {
        text += '-';
    }
    if (rounded.exponent >= kSmallestPlainExponent && rounded.exponent <= kLargestPlainExponent) {
        appendPlainForm(text, rounded);
    } else {
        appendExponentForm(text, rounded);
    }
    return text;
}

// The plain decimals that coordinates are written in ("-30726.388"): an optional sign, at most
// 15 digits with an optional point, no exponent. Their digits make an exact integer and the point
// an exact power of ten, and IEEE division rounds the quotient correctly: the same double as a
// full conversion, without one. Nothing for any other text.
std::optional<double> parseShortDecimal(std::string_view text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        ++i;
    }
    std::uint64_t digits = 0;
    int count = 0;
    int fraction = -1;  // digits after the point; -1 before a point
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            if (++count > kExactDigits) {
                return std::nullopt;
            }
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            fraction += fraction >= 0 ? 1 : 0;
        } else if (c == '.' && fraction < 0) {
            fraction = 0;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0) {
        return std::nullopt;
    }
    const double magnitude =
        static_cast<double>(digits) / kExactPowersOfTen[fraction < 0 ? 0 : fraction];
    return negative ? -magnitude : magnitude;
}

}  // namespace zelanto::base

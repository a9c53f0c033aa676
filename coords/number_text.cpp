#include "coords/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zelanto::coords {
namespace {

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

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string numberText(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return "0";
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

std::optional<std::string> numberTextFromDigits(std::string_view text) {
    const std::size_t point = text.find('.');
    if (point != std::string_view::npos) {
        text.remove_suffix(text.size() - 1 - text.find_last_not_of('0'));
        if (text.size() == point + 1) {
            text.remove_suffix(1);
        }
    }
    if (text == "0" || text == "-0") {
        return "0";
    }
    const std::size_t integerStart = text.starts_with('-') ? 1 : 0;
    std::size_t at = integerStart;
    while (at < text.size() && isDigit(text[at])) {
        ++at;
    }
    const std::size_t integerLength = at - integerStart;
    // One "0" before the point below 1, no leading zeros otherwise; 10^15 and more take the
    // exponent form.
    const bool below1 = integerLength == 1 && text[integerStart] == '0';
    if (integerLength == 0 || integerLength > kLargestPlainExponent + 1 ||
        (text[integerStart] == '0' && !below1)) {
        return std::nullopt;
    }
    std::size_t fractionZeros = 0;
    if (at < text.size()) {
        if (text[at] != '.' ||
            !std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at) + 1, text.end(), isDigit)) {
            return std::nullopt;
        }
        fractionZeros = text.find_first_not_of('0', at + 1) - (at + 1);
    }
    // Significant digits from the first that is not 0; below 0.0001 the exponent form is taken.
    const std::size_t digits = text.size() - integerStart - (at < text.size() ? 1 : 0);
    const std::size_t significant = below1 ? digits - 1 - fractionZeros : digits;
    if (significant > kSignificantDigits ||
        (below1 && static_cast<int>(fractionZeros) >= -kSmallestPlainExponent)) {
        return std::nullopt;
    }
    return std::string(text);
}

}  // namespace zelanto::coords

#include "coords/number_text.h"

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

// The value rounded to 15 significant digits.
RoundedDecimal roundToSignificantDigits(double value) {
    char text[32];
    // The shortest form that reads back as the value is that value rounded to 15 digits whenever
    // it has no more than 15, and it is much quicker to find.
    const char* end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific).ptr;
    const RoundedDecimal shortest = decimalOf(text, end);
    if (shortest.digitCount <= kSignificantDigits) {
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

}  // namespace zelanto::coords

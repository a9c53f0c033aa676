#include "platform/text/decimal_number.h"

#include <locale.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace zelanto::platform {
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

// The plain decimals that coordinates are written in ("-30726.388"): an optional sign, at most
// 15 digits with an optional point, no exponent. Their digits make an exact integer and the point
// an exact power of ten, and IEEE division rounds the quotient correctly: the same double as a
// full conversion, without one. Nothing for any other text.
std::optional<double> readShortPlainDecimal(std::string_view text) {
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

locale_t classicLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

}  // namespace

std::optional<double> parseDecimalNumber(std::string_view text) {
    if (const auto plain = readShortPlainDecimal(text)) {
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

}  // namespace zelanto::platform

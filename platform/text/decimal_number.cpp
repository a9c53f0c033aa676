#include "platform/text/decimal_number.h"

#include <locale.h>

#include <charconv>
#include <cmath>
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

locale_t classicLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

}  // namespace

std::optional<double> parseDecimalNumber(std::string_view text) {
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

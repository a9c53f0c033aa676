// parseDecimalNumber against the C library's strtod on the same text: a number it reads must be
// strtod's number to the bit, and a text it refuses must be one strtod refuses too, reads as
// infinite, or is in a form outside the plain decimal grammar (leading white space, hexadecimal).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/decimal_number.h"
#include "fuzz/checks.h"

namespace zelanto::fuzz {
namespace {

bool isCSpace(char c) {
    return std::strchr(" \t\n\v\f\r", c) != nullptr && c != '\0';
}

bool outsideTheGrammar(const std::string& text) {
    return isCSpace(text.front()) || text.find_first_of("xX") != std::string::npos;
}

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace
}  // namespace zelanto::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using zelanto::fuzz::check;
    // The process runs in the "C" locale, as strtod's reading of "." needs.
    const std::string text(reinterpret_cast<const char*>(data), size);
    char* end = nullptr;
    const double expected = std::strtod(text.c_str(), &end);
    const bool wholeText = end == text.c_str() + text.size() && !text.empty();

    if (const auto value = zelanto::base::parseDecimalNumber(text)) {
        check(std::isfinite(*value));
        check(wholeText && zelanto::fuzz::sameBits(*value, expected));
    } else {
        check(!wholeText || !std::isfinite(expected) || zelanto::fuzz::outsideTheGrammar(text));
    }
    return 0;
}

#pragma once

#include <cstdlib>
#include <string_view>

namespace zelanto::fuzz {

// A broken property ends the run like a crash, so that libFuzzer keeps the input.
inline void check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// Every text the core hands on is UTF-8: shortest forms only, no surrogates, nothing past U+10FFFF.
inline bool isValidUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80   ? 1
                              : lead < 0xC2 ? 0
                              : lead < 0xE0 ? 2
                              : lead < 0xF0 ? 3
                              : lead < 0xF5 ? 4
                                            : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        unsigned code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = code << 6 | (next & 0x3F);
        }
        const unsigned smallest = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0;
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace zelanto::fuzz

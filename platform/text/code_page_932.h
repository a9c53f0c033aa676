#pragma once

#include <cstddef>
#include <string_view>

namespace zelanto::platform {

// One character of code page 932 text: its code point and how many bytes it takes.
struct Cp932Character {
    char32_t codePoint = 0;
    std::size_t length = 0;  // 0: the bytes do not begin a character
};

// The character that `bytes` (not empty) begins with: ASCII, a half-width katakana or a
// double-byte character. Only the form a character is written back in counts: a byte sequence that
// reads as a character which code page 932 writes with other bytes (the NEC and IBM duplicates)
// does not begin a character here, so that everything read is written back byte for byte.
Cp932Character cp932CharacterAt(std::string_view bytes);

}  // namespace zelanto::platform

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zelanto::base {

// One character of UTF-8 text: its code point and how many bytes it takes.
struct Utf8Character {
    char32_t codePoint = 0;
    std::size_t length = 0;  // 0: the bytes do not begin a well-formed character
};

// The character that `utf8` (not empty) begins with. Well-formed means the shortest form of a code
// point up to U+10FFFF that is not a surrogate.
Utf8Character utf8CharacterAt(std::string_view utf8);

// How many bytes a character that begins with `lead` takes when it is well-formed (1 to 4); 0 for
// a byte that begins none.
std::size_t utf8LengthFromLead(unsigned char lead);

void appendUtf8(std::string& text, char32_t codePoint);

// Bytes that are not text in the encoding they were read in are kept as the code points
// U+EF80 to U+EFFF, one for each byte value 0x80 to 0xFF, from the private use area (which code
// page 932 never reads into). The text then shows them, and writing it back gives the same bytes.
constexpr char32_t byteEscape(unsigned char byte) {
    return 0xEF00 + byte;
}
constexpr bool isByteEscape(char32_t codePoint) {
    return codePoint >= byteEscape(0x80) && codePoint <= byteEscape(0xFF);
}
constexpr char escapedByte(char32_t escape) {
    return static_cast<char>(escape - 0xEF00);
}

// `bytes` read as UTF-8: well-formed characters as they are, every other byte as its escape.
std::string fromUtf8Bytes(std::string bytes);

// `text` without the blanks and tabs at either end.
std::string_view trimBlanks(std::string_view text);

}  // namespace zelanto::base

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelanto::base {

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

// Every file ZELANTO writes is 8-bit text in code page 932; inside the program every text is
// UTF-8. These convert at the file boundary, and nothing read is lost on the way back: bytes that
// are not code page 932 text are read as byte escapes (see text.h), which are written back as the
// same bytes.

// A character that code page 932 cannot hold (or invalid UTF-8) becomes "?".
std::string toAnsi(std::string_view utf8);
// The same, appended to `ansi`.
void appendAnsi(std::string& ansi, std::string_view utf8);

// Every byte sequence that is not a character of code page 932 becomes one byte escape per byte,
// so that toAnsi(fromAnsi(bytes)) == bytes.
std::string fromAnsi(std::string ansi);

// The first character of `utf8` that code page 932 cannot hold, a byte escape included (it stands
// for a byte that was not text where it was read); nothing when every character has a form.
std::optional<std::string> firstWithoutAnsiForm(std::string_view utf8);

// Code page 932 text walked character by character: the second byte of a double-byte character
// can be any of 0x40-0xFC, so it may look like "]" or an ASCII letter and must be stepped over.

// Position of the first character `c` (an ASCII character), or npos.
size_t findCharacter(std::string_view ansi, char c);

// The longest start of `ansi` of at most `maxBytes` bytes that does not split a double-byte
// character.
std::string_view cutToBytes(std::string_view ansi, size_t maxBytes);

}  // namespace zelanto::base

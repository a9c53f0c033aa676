#pragma once

#include <cstddef>
#include <string_view>

namespace zelanto::platform {

// Code page 932 text walked character by character: the second byte of a double-byte character
// can be any of 0x40-0xFC, so it may look like "]" or an ASCII letter and must be stepped over.

// Position of the first character `c` (an ASCII character), or npos.
size_t findCharacter(std::string_view ansi, char c);

// The longest start of `ansi` of at most `maxBytes` bytes that does not split a double-byte
// character.
std::string_view cutToBytes(std::string_view ansi, size_t maxBytes);

}  // namespace zelanto::platform

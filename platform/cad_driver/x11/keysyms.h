#pragma once

#include <X11/X.h>

#include <string>
#include <string_view>
#include <vector>

namespace zelanto::platform::x11 {

// The keysym that types each character of `utf8`: "\r" is Return, Latin-1 characters have keysyms
// of the same number, every other character the keysym 0x1000000 + its code point. Throws X11Error
// for text that is not UTF-8.
std::vector<KeySym> keysymsOf(std::string_view utf8);

// The name libxdo reads a keysym by.
std::string keysymName(KeySym keysym);

}  // namespace zelanto::platform::x11

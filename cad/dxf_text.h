#pragma once

#include <string>
#include <string_view>

namespace zelanto::cad {

// The bytes of a text (UTF-8) in a DXF file whose code page is 932 (ANSI_932): each character in
// code page 932 where it has a form there, every other character of the basic plane as the DXF's
// own escape "\U+XXXX", which readers of DXF turn back into that character. A byte escape (a byte
// that was no text where it was read) goes as its own code point, so the drawing shows it as the
// sheet does. Characters beyond the basic plane, which the escape cannot name, and bytes that are
// not UTF-8 become "?". A backslash that would begin an escape is escaped itself.
std::string dxfText(std::string_view utf8);

}  // namespace zelanto::cad

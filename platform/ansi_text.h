#pragma once

#include <string>
#include <string_view>

namespace zelanto::platform {

// Every file ZELANTO reads or writes is 8-bit text in code page 932; inside the program every text
// is UTF-8. These two convert at the file boundary.

// A character that code page 932 cannot hold (or invalid UTF-8) becomes "?".
std::string toAnsi(std::string_view utf8);

// Bytes that are not valid code page 932 become U+FFFD.
std::string fromAnsi(std::string ansi);

}  // namespace zelanto::platform

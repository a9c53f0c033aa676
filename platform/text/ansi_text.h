#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelanto::platform {

// Every file ZELANTO writes is 8-bit text in code page 932; inside the program every text is
// UTF-8. These convert at the file boundary, and nothing read is lost on the way back: bytes that
// are not code page 932 text are read as byte escapes (see utf8.h), which are written back as the
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

}  // namespace zelanto::platform

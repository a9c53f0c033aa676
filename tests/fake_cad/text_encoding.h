#pragma once

#include <string>
#include <string_view>

namespace zelanto::fakecad {

// `bytes` from the iconv encoding `from` into UTF-8; what does not convert is dropped.
std::string toUtf8(std::string_view bytes, const char* from);

// One character, by its code point.
std::string utf8Character(char32_t codePoint);

}  // namespace zelanto::fakecad

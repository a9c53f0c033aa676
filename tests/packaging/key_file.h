#pragma once

#include <regex>
#include <string>

namespace zelanto::testing {

// What a desktop-style key file (a menu entry, a thumbnailer entry) holds after "key=" on a line
// of its own, or an empty text; `key` is a regular expression.
inline std::string keyValue(const std::string& text, const std::string& key) {
    std::smatch match;
    return std::regex_search(text, match, std::regex("(^|\n)" + key + "=([^\n]*)")) ? match[2].str()
                                                                                    : std::string();
}

}  // namespace zelanto::testing

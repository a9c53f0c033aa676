#pragma once

#include <string_view>

namespace zelanto::coords {

// `text` without the blanks and tabs around it (a quoted SIM item keeps those it holds).
inline std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace zelanto::coords

#include "cad/dxf_text.h"

#include <cstdio>

#include "base/code_page_932.h"
#include "base/text.h"

namespace zelanto::cad {
namespace {

constexpr std::string_view kEscapeStart = "\\U+";

std::string escaped(char32_t codePoint) {
    if (codePoint > 0xFFFF) {
        return "?";
    }
    char text[8];
    std::snprintf(text, sizeof text, "\\U+%04X", static_cast<unsigned>(codePoint));
    return text;
}

// Whether the whole text converts as it is.
bool convertsWhole(std::string_view utf8) {
    return utf8.find(kEscapeStart) == std::string_view::npos && !base::firstWithoutAnsiForm(utf8);
}

std::string characterText(std::string_view character, char32_t codePoint) {
    if (!base::isByteEscape(codePoint) && !base::firstWithoutAnsiForm(character)) {
        return base::toAnsi(character);
    }
    return escaped(codePoint);
}

}  // namespace

std::string dxfText(std::string_view utf8) {
    if (convertsWhole(utf8)) {
        return base::toAnsi(utf8);
    }
    std::string out;
    for (std::size_t at = 0; at < utf8.size();) {
        const base::Utf8Character character = base::utf8CharacterAt(utf8.substr(at));
        if (character.length == 0) {
            out += '?';
            ++at;
            continue;
        }
        if (utf8.substr(at).starts_with(kEscapeStart)) {
            out += escaped(U'\\');
        } else {
            out += characterText(utf8.substr(at, character.length), character.codePoint);
        }
        at += character.length;
    }
    return out;
}

}  // namespace zelanto::cad

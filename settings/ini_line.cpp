#include "settings/ini_line.h"
#include "base/text.h"

#include "base/code_page_932.h"

namespace zelanto::settings {
namespace {

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

bool isQuoted(std::string_view text) {
    return text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
}

std::string_view unquote(std::string_view text) {
    return isQuoted(text) ? text.substr(1, text.size() - 2) : text;
}

}  // namespace

IniLine parseIniLine(std::string_view text) {
    const std::string_view line = base::trimBlanks(text);
    if (line.empty() || line.front() == ';') {
        return {};
    }
    if (line.front() == '[') {
        const size_t close = base::findCharacter(line, ']');
        if (close == std::string_view::npos) {
            return {};
        }
        return {IniLine::Kind::kSection, base::trimBlanks(line.substr(1, close - 1)), {}};
    }
    const size_t equals = base::findCharacter(line, '=');
    if (equals == std::string_view::npos) {
        return {};
    }
    return {IniLine::Kind::kKey, base::trimBlanks(line.substr(0, equals)),
            unquote(base::trimBlanks(line.substr(equals + 1)))};
}

std::string formatKeyLine(std::string_view name, std::string_view value) {
    // Reading drops the blanks around a value and one pair of quotes enclosing it; one more pair
    // of double quotes keeps such a value as it was.
    const bool readsBackAsItIs = base::trimBlanks(value) == value && !isQuoted(value);
    const std::string stored =
        readsBackAsItIs ? std::string(value) : std::string("\"").append(value).append("\"");
    return std::string(name) + "=" + stored;
}

}  // namespace zelanto::settings

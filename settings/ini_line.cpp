#include "settings/ini_line.h"

#include "platform/text/cp932_characters.h"

namespace zelanto::settings {
namespace {

constexpr std::string_view kBlanks = " \t";

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

std::string_view trimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

IniLine parseIniLine(std::string_view text) {
    const std::string_view line = trimBlanks(text);
    if (line.empty() || line.front() == ';') {
        return {};
    }
    if (line.front() == '[') {
        const size_t close = platform::findCharacter(line, ']');
        if (close == std::string_view::npos) {
            return {};
        }
        return {IniLine::Kind::kSection, trimBlanks(line.substr(1, close - 1)), {}};
    }
    const size_t equals = platform::findCharacter(line, '=');
    if (equals == std::string_view::npos) {
        return {};
    }
    return {IniLine::Kind::kKey, trimBlanks(line.substr(0, equals)),
            unquote(trimBlanks(line.substr(equals + 1)))};
}

std::string formatKeyLine(std::string_view name, std::string_view value) {
    // Reading drops the blanks around a value and one pair of quotes enclosing it; one more pair
    // of double quotes keeps such a value as it was.
    const bool readsBackAsItIs = trimBlanks(value) == value && !isQuoted(value);
    const std::string stored =
        readsBackAsItIs ? std::string(value) : std::string("\"").append(value).append("\"");
    return std::string(name) + "=" + stored;
}

}  // namespace zelanto::settings

#include "settings/ini_document.h"

#include <algorithm>
#include <iterator>

#include "base/code_page_932.h"
#include "base/text.h"

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

constexpr std::string_view kLineEnd = "\r\n";

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Compared as UTF-8: in code page 932 the second byte of a double-byte character can be an ASCII
// letter, which must not be folded.
bool sameName(std::string_view a, std::string_view b) {
    return std::ranges::equal(base::fromAnsi(std::string(a)), base::fromAnsi(std::string(b)),
                              [](char x, char y) { return asciiLower(x) == asciiLower(y); });
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

IniDocument::IniDocument(std::string_view bytes) {
    while (!bytes.empty()) {
        const size_t stop = bytes.find_first_of("\r\n");
        if (stop == std::string_view::npos) {
            lines_.push_back({std::string(bytes), ""});
            return;
        }
        const size_t endLength = bytes.substr(stop).starts_with(kLineEnd) ? 2 : 1;
        lines_.push_back(
            {std::string(bytes.substr(0, stop)), std::string(bytes.substr(stop, endLength))});
        bytes.remove_prefix(stop + endLength);
    }
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const auto found = findSection(base::trimBlanks(section));
    const auto line = found ? findKey(*found, base::trimBlanks(key)) : std::nullopt;
    if (!line) {
        return std::nullopt;
    }
    return std::string(parseIniLine(lines_[*line].text).value);
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    section = base::trimBlanks(section);
    key = base::trimBlanks(key);
    const auto found = findSection(section);
    if (!found) {
        std::string sectionLine = "[";
        sectionLine.append(section).append("]");
        insertLine(lines_.size(), sectionLine);
        insertLine(lines_.size(), formatKeyLine(key, value));
        return;
    }
    if (const auto line = findKey(*found, key)) {
        lines_[*line].text = formatKeyLine(parseIniLine(lines_[*line].text).name, value);
        return;
    }
    insertLine(lastKeyLine(*found) + 1, formatKeyLine(key, value));
}

std::string IniDocument::bytes() const {
    std::string bytes;
    for (const Line& line : lines_) {
        bytes += line.text;
        bytes += line.end;
    }
    return bytes;
}

std::optional<IniDocument::Section> IniDocument::findSection(std::string_view name) const {
    const auto header = findLine(0, lines_.size(), IniLine::Kind::kSection, name);
    if (!header) {
        return std::nullopt;
    }
    const auto next = findLine(*header + 1, lines_.size(), IniLine::Kind::kSection, std::nullopt);
    return Section{*header, next.value_or(lines_.size())};
}

std::optional<size_t> IniDocument::findKey(const Section& section, std::string_view name) const {
    return findLine(section.header + 1, section.end, IniLine::Kind::kKey, name);
}

std::optional<size_t> IniDocument::findLine(size_t from, size_t to, IniLine::Kind kind,
                                            std::optional<std::string_view> name) const {
    for (size_t index = from; index < to; ++index) {
        const IniLine line = parseIniLine(lines_[index].text);
        if (line.kind == kind && (!name || sameName(line.name, *name))) {
            return index;
        }
    }
    return std::nullopt;
}

size_t IniDocument::lastKeyLine(const Section& section) const {
    size_t last = section.header;
    for (size_t index = section.header + 1; index < section.end; ++index) {
        if (parseIniLine(lines_[index].text).kind == IniLine::Kind::kKey) {
            last = index;
        }
    }
    return last;
}

void IniDocument::insertLine(size_t at, std::string text) {
    // The line before now has a successor, so it needs a line end of its own.
    if (at > 0 && lines_[at - 1].end.empty()) {
        lines_[at - 1].end = kLineEnd;
    }
    lines_.insert(std::next(lines_.begin(), static_cast<std::ptrdiff_t>(at)),
                  Line{std::move(text), std::string(kLineEnd)});
}

}  // namespace zelanto::settings

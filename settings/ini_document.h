#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelanto::settings {

// What one line of an INI file (code page 932, without its line end) says.
struct IniLine {
    enum class Kind {
        kSection,  // "[name]"; anything after the "]" is ignored
        kKey,      // "name=value"
        kOther,    // blank, a ";" comment, or anything else
    };

    Kind kind = Kind::kOther;
    std::string_view name;   // section or key name, without the blanks around it
    std::string_view value;  // a key's value, without the blanks around it and one pair of quotes
};

// The name and value are views into `text`.
IniLine parseIniLine(std::string_view text);

// A key line that reads back as `name` and `value`.
std::string formatKeyLine(std::string_view name, std::string_view value);

// An INI file in code page 932, held as its lines so that a change rewrites only the line it
// concerns and every other byte, line ends included, stays as it was. Section and key names are
// matched without regard to ASCII case and to the blanks around them; the first matching section
// and the first matching key in it win. All texts here are code page 932.
class IniDocument {
public:
    // Lines may end in CR LF, LF or CR.
    explicit IniDocument(std::string_view bytes);

    // The value of `key` in `section`, or nothing when either is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Replaces the value of `key`, keeping the key's spelling. A missing key is added after the
    // last key line of its section, a missing section at the end; new lines end in CR LF.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    std::string bytes() const;

private:
    struct Line {
        std::string text;
        std::string end;  // "\r\n", "\n", "\r", or empty for a last line without one
    };
    // Line indices: the section line, and one past the last line before the next section.
    struct Section {
        size_t header;
        size_t end;
    };

    std::optional<Section> findSection(std::string_view name) const;
    std::optional<size_t> findKey(const Section& section, std::string_view name) const;
    // Index of the first line in [from, to) of `kind`, with `name` when one is given.
    std::optional<size_t> findLine(size_t from, size_t to, IniLine::Kind kind,
                                   std::optional<std::string_view> name) const;
    // The section line when the section has no key lines.
    size_t lastKeyLine(const Section& section) const;
    void insertLine(size_t at, std::string text);

    std::vector<Line> lines_;
};

}  // namespace zelanto::settings

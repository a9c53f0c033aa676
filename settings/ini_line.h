#pragma once

#include <string>
#include <string_view>

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

}  // namespace zelanto::settings

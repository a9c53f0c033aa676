#include "cad/desktop_entry.h"

#include <fstream>
#include <vector>

#include "platform/files/file_lookup.h"

namespace zelanto::cad {
namespace {

constexpr std::string_view kLauncherExtension = ".desktop";
constexpr std::string_view kEntryGroup = "[Desktop Entry]";
constexpr std::string_view kExecKey = "Exec";

// A value's escapes: \s, \n, \t, \r and \\.
std::string unescapedValue(std::string_view value) {
    std::string out;
    for (std::size_t at = 0; at < value.size(); ++at) {
        if (value[at] != '\\' || at + 1 == value.size()) {
            out += value[at];
            continue;
        }
        switch (const char next = value[++at]) {
            case 's':
                out += ' ';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case '\\':
                out += '\\';
                break;
            // The Exec key's own escapes, inside quotes, are undone with the arguments.
            default:
                out += '\\';
                out += next;
                break;
        }
    }
    return out;
}

// Arguments split at blanks outside double quotes; inside them a backslash escapes the next
// character. "%%" is a percent sign; other field codes (%f, %U …) stand for files and go.
std::vector<std::string> execArguments(std::string_view exec) {
    std::vector<std::string> arguments;
    std::string argument;
    bool inArgument = false;
    bool quoted = false;
    for (std::size_t at = 0; at < exec.size(); ++at) {
        const char c = exec[at];
        if (quoted && c == '\\' && at + 1 < exec.size()) {
            argument += exec[++at];
        } else if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if (!quoted && c == ' ') {
            if (inArgument) {
                arguments.push_back(argument);
            }
            argument.clear();
            inArgument = false;
        } else if (!quoted && c == '%' && at + 1 < exec.size()) {
            if (exec[++at] == '%') {
                argument += '%';
            }
            inArgument = inArgument || exec[at] == '%';
        } else {
            argument += c;
            inArgument = true;
        }
    }
    if (inArgument) {
        arguments.push_back(argument);
    }
    return arguments;
}

// The raw Exec value of the [Desktop Entry] group; empty when there is none.
std::string execValue(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    bool inEntry = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.starts_with('[')) {
            inEntry = line == kEntryGroup;
            continue;
        }
        const auto equals = line.find('=');
        if (!inEntry || equals == std::string::npos) {
            continue;
        }
        const auto keyEnd = line.find_last_not_of(' ', equals - 1);
        if (keyEnd != std::string::npos &&
            std::string_view(line).substr(0, keyEnd + 1) == kExecKey) {
            const auto valueStart = line.find_first_not_of(' ', equals + 1);
            return valueStart == std::string::npos ? "" : line.substr(valueStart);
        }
    }
    return "";
}

}  // namespace

std::string execProgram(std::string_view exec) {
    const std::vector<std::string> arguments = execArguments(unescapedValue(exec));
    return arguments.empty() ? "" : arguments.front();
}

std::optional<std::filesystem::path> launcherProgram(const std::filesystem::path& file,
                                                     std::string_view searchPath) {
    if (!file.filename().string().ends_with(kLauncherExtension)) {
        return std::nullopt;
    }
    const std::string program = execProgram(execValue(file));
    if (program.empty()) {
        return std::filesystem::path();
    }
    if (program.find('/') != std::string::npos) {
        return std::filesystem::path(program);
    }
    return platform::programOnPath(program, searchPath);
}

}  // namespace zelanto::cad

#include "cad/desktop_entry.h"

#include <fstream>
#include <vector>

#include "base/file_system.h"

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

bool isProgram(const std::string& argument, std::string_view name) {
    return std::filesystem::path(argument).filename() == name;
}

// The arguments from `at` on after env's own: its options (two of which take a value) and the
// NAME=value assignments.
std::size_t afterEnv(const std::vector<std::string>& arguments, std::size_t at) {
    while (at < arguments.size()) {
        const std::string& argument = arguments[at];
        if (argument == "-u" || argument == "-C") {
            at += 2;
        } else if (argument.starts_with('-') ||
                   argument.find('=') < argument.find('/')) {  // NAME=value, npos without '='
            ++at;
        } else {
            break;
        }
    }
    return at;
}

// The application id of `flatpak run [options] app[/arch/branch] …`, from `at` on.
std::string flatpakApp(const std::vector<std::string>& arguments, std::size_t at) {
    while (at < arguments.size() && arguments[at].starts_with('-')) {
        ++at;
    }
    return at < arguments.size() ? arguments[at].substr(0, arguments[at].find('/')) : "";
}

}  // namespace

ExecTarget execTarget(std::string_view exec) {
    const std::vector<std::string> arguments = execArguments(unescapedValue(exec));
    std::size_t at = 0;
    // A launcher that sets the environment runs its program through env.
    while (at < arguments.size() && isProgram(arguments[at], "env")) {
        at = afterEnv(arguments, at + 1);
    }
    if (at + 1 < arguments.size() && isProgram(arguments[at], "flatpak") &&
        arguments[at + 1] == "run") {
        return {"", flatpakApp(arguments, at + 2)};
    }
    return {at < arguments.size() ? arguments[at] : "", ""};
}

std::vector<std::filesystem::path> flatpakCommandFolders(const std::filesystem::path& dataHome) {
    return {dataHome / "flatpak/exports/bin", "/var/lib/flatpak/exports/bin"};
}

std::optional<std::filesystem::path> launcherProgram(const std::filesystem::path& file,
                                                     const ProgramSearch& search) {
    if (!file.filename().string().ends_with(kLauncherExtension)) {
        return std::nullopt;
    }
    const ExecTarget target = execTarget(execValue(file));
    if (!target.flatpakApp.empty()) {
        for (const std::filesystem::path& folder : search.flatpakCommands) {
            if (base::isExecutableProgram(folder / target.flatpakApp)) {
                return folder / target.flatpakApp;
            }
        }
        return std::filesystem::path();
    }
    if (target.program.empty()) {
        return std::filesystem::path();
    }
    if (target.program.find('/') != std::string::npos) {
        return std::filesystem::path(target.program);
    }
    return base::programOnPath(target.program, search.path);
}

}  // namespace zelanto::cad

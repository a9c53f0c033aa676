#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelanto::cad {

// What an Exec value of a desktop entry starts, with the entry's quoting and escapes undone:
// its first argument, or for `env [options] [NAME=value …] program …` the program env runs; for
// `flatpak run [options] app …` the application id. Empty when there is none.
struct ExecTarget {
    std::string program;
    std::string flatpakApp;
};
ExecTarget execTarget(std::string_view exec);

// Where the programs that launchers start are found: the folders of a PATH value, and the
// folders in which flatpak puts a command for each installed application (the user's own, then
// the system's).
struct ProgramSearch {
    std::string_view path;
    std::vector<std::filesystem::path> flatpakCommands;
};

// The folders in which flatpak puts its application commands, for the user's `dataHome`
// ($XDG_DATA_HOME or ~/.local/share) and for the system.
std::vector<std::filesystem::path> flatpakCommandFolders(const std::filesystem::path& dataHome);

// The program that the desktop launcher `file` (a name ending in ".desktop") starts: the Exec
// key of its [Desktop Entry] group, a bare command name looked up on the PATH, a flatpak
// application as the command flatpak made for it, which takes the same arguments. Nothing when
// `file` is no launcher; an empty path when the launcher names no program that is there.
std::optional<std::filesystem::path> launcherProgram(const std::filesystem::path& file,
                                                     const ProgramSearch& search);

}  // namespace zelanto::cad

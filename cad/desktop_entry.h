#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zelanto::cad {

// The program that an Exec value of a desktop entry starts: its first argument, with the
// entry's quoting and escapes undone. Empty when there is none.
std::string execProgram(std::string_view exec);

// The program that the desktop launcher `file` (a name ending in ".desktop") starts: the Exec
// key of its [Desktop Entry] group, a bare command name looked up on `searchPath` (a PATH value).
// Nothing when `file` is no launcher; an empty path when the launcher names no program that is
// there.
std::optional<std::filesystem::path> launcherProgram(const std::filesystem::path& file,
                                                     std::string_view searchPath);

}  // namespace zelanto::cad

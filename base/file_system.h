#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zelanto::base {

// The name (without its folder) of the ordinary file at `path`, or the empty text when there is
// none: no such path, an empty path, a folder, or a hidden file (a name beginning with ".").
std::string fileNameAt(const std::filesystem::path& path);

// Whether `path` names a regular file that the user may execute.
bool isExecutableProgram(const std::filesystem::path& path);

// The first executable program called `name` in the folders of `searchPath` (a PATH value, folders
// separated by ":"); an empty path when there is none.
std::filesystem::path programOnPath(const std::string& name, std::string_view searchPath);

// True when `name` ends in exactly one of the given three-character endings.
bool endsWithOneOf(const std::string& name, std::initializer_list<const char*> endings);

// The folders of the user's home where ZELANTO keeps its files, by the XDG base directory rules:
// `variable` when it holds an absolute path, else `homeDefault` under $HOME, followed by
// "zelanto". The folder may not exist yet. A FileError when neither names a folder.
std::filesystem::path zelantoUserFolder(const char* variable,
                                        const std::filesystem::path& homeDefault);

// $XDG_CONFIG_HOME/zelanto, else ~/.config/zelanto: the settings.
std::filesystem::path zelantoConfigFolder();
// $XDG_DATA_HOME/zelanto, else ~/.local/share/zelanto: the files written for the user.
std::filesystem::path zelantoDataFolder();

// Makes `folder` and every missing folder above it, as the rules ask: readable by the user only.
// Throws FileError when one cannot be made.
void makeUserFolder(const std::filesystem::path& folder);

// The folder where ZELANTO leaves files for the user to open: $XDG_CACHE_HOME/zelanto, else
// $HOME/.cache/zelanto. It may not exist yet. A FileError when neither variable names a folder.
std::filesystem::path zelantoCacheFolder();

}  // namespace zelanto::base

#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zelanto::platform {

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

}  // namespace zelanto::platform

#pragma once

#include <filesystem>
#include <string>

namespace zelanto::platform {

// The name (without its folder) of the ordinary file at `path`, or the empty text when there is
// none: no such path, an empty path, a folder, or a hidden file (a name beginning with ".").
std::string fileNameAt(const std::filesystem::path& path);

// True when `name` ends in exactly one of the given three-character endings.
bool endsWithOneOf(const std::string& name, std::initializer_list<const char*> endings);

}  // namespace zelanto::platform

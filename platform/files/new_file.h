#pragma once

#include <filesystem>
#include <string>

namespace zelanto::platform {

// Creates an empty file in `folder` (made when missing) under the first free name of
// "stem.ext", "stem (2).ext", "stem (3).ext" …, and returns its path. An existing file is never
// touched. A FileError when the folder or the file cannot be made.
std::filesystem::path createNewFile(const std::filesystem::path& folder, const std::string& stem,
                                    const std::string& extension);

}  // namespace zelanto::platform

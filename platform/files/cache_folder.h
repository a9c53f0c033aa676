#pragma once

#include <filesystem>

namespace zelanto::platform {

// The folder where ZELANTO leaves files for the user to open: $XDG_CACHE_HOME/zelanto, else
// $HOME/.cache/zelanto. It may not exist yet. A FileError when neither variable names a folder.
std::filesystem::path zelantoCacheFolder();

}  // namespace zelanto::platform

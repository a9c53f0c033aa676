#pragma once

#include <filesystem>

namespace zelanto::platform {

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

}  // namespace zelanto::platform

#pragma once

#include <filesystem>

namespace zelanto::settings {

// The one setting the program keeps between runs: the path of the CAD executable, in the settings
// file in the program folder.
inline constexpr char kSettingsSection[] = "ZELANTO設定";
inline constexpr char kCadPathKey[] = "ROOT";
inline constexpr char kSettingsFileName[] = "zelanto.ini";

inline std::filesystem::path settingsFileIn(const std::filesystem::path& programFolder) {
    return programFolder / kSettingsFileName;
}

}  // namespace zelanto::settings

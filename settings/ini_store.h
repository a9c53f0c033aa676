#pragma once

#include <filesystem>
#include <string>

namespace zelanto::settings {

// The one setting the program keeps between runs: the path of the CAD executable, in the settings
// file in the program folder.
inline constexpr char kSettingsSection[] = "ZELANTO設定";
inline constexpr char kCadPathKey[] = "ROOT";
inline constexpr char kSettingsFileName[] = "zelanto.ini";

inline std::filesystem::path settingsFileIn(const std::filesystem::path& programFolder) {
    return programFolder / kSettingsFileName;
}

// What GetIniString gives for a missing file, section or key.
inline constexpr char kNotFound[] = "not found";

// Reads the value of `garKey` in the section `garSection` of the INI file `garFileName` (code page
// 932). At most 254 bytes of the value come back, cut where no double-byte character is split.
std::string GetIniString(const std::string& garSection, const std::string& garKey,
                         const std::filesystem::path& garFileName);

// Stores `garValue` under `garKey` in the section `garSection`, creating the file, the section or
// the key as needed; every other line of the file stays as it was. A write that fails is not
// reported and leaves the file as it was; so does a value with a line end, which no line holds.
void WriteValueString(const std::string& garSection, const std::string& garKey,
                      const std::string& garValue,
                      const std::filesystem::path& garFileName) noexcept;

}  // namespace zelanto::settings

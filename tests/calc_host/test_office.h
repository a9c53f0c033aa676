#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/calc/office_settings.h"

namespace zelanto::testing {

// The settings of a LibreOffice instance of the tests, with a profile of its own in `profile`;
// nothing when LibreOffice is not installed.
std::optional<platform::calc::OfficeSettings> testOfficeSettings(
    const std::filesystem::path& profile, bool headless);

// The processes of the instance that uses `profile`.
std::vector<pid_t> officeProcesses(const std::filesystem::path& profile);

// Ends the instance that uses `profile` and waits until it has gone.
void endOffice(const std::filesystem::path& profile);

}  // namespace zelanto::testing

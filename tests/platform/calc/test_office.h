#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/calc/office_process.h"

namespace zelanto::testing {

// The settings of a LibreOffice instance of the tests, with a profile of its own in `profile`;
// nothing when LibreOffice is not installed.
std::optional<platform::calc::OfficeSettings> testOfficeSettings(
    const std::filesystem::path& profile, bool headless);

// Keeps every process this test process starts among its descendants, however it was started:
// LibreOffice's launcher hands the instance over and ends, and the program under test ends while
// the instance it started runs on. Orphans among them become children of the test process.
void adoptOrphanedDescendants();

// The processes of the LibreOffice instance with `profile` that this test process started,
// directly or through the program under test (see adoptOrphanedDescendants).
std::vector<pid_t> officeProcesses(const std::filesystem::path& profile);

// Ends the instance with `profile` that this test process started and waits until it has gone.
void endOffice(const std::filesystem::path& profile);

}  // namespace zelanto::testing

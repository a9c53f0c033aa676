#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/calc/office_settings.h"

namespace zelanto::platform::calc {

// soffice in LibreOffice's program folder: `soffice` found on `searchPath` (the PATH's form),
// with its links resolved, in a folder that also holds Calc. Nothing when LibreOffice Calc is not
// installed.
std::optional<std::filesystem::path> findOffice(const std::string& searchPath);

// A pipe name that no instance accepts on yet.
std::string uniquePipeName();

// The arguments that start our instance (or, when it runs already, have it accept on `pipe` too)
// with our own profile, invisible, without restoring documents, splash or a start document.
std::vector<std::string> officeArguments(const OfficeSettings& settings, const std::string& pipe);

// Starts soffice with those arguments in a session of its own, so that it outlives the program
// and no signal to the program's process group reaches it. A HostError when it cannot start.
void startOffice(const OfficeSettings& settings, const std::string& pipe);

}  // namespace zelanto::platform::calc

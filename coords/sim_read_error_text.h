#pragma once

#include <string>

#include "coords/sim_file_check.h"
#include "coords/sim_read_error.h"

namespace zelanto::coords {

// One line for the user: the file, the line, the item, what was found and what was expected.
// Both the command line tool and the window show it, so a surveyor can find the bad line.
std::string describeReadError(const SimReadError& error);

// What is wrong with a path that fails the SIM file check, after the path: "<path>: <why>".
std::string describeSimFileRefusal(const std::filesystem::path& path, SimFileRefusal refusal);

}  // namespace zelanto::coords

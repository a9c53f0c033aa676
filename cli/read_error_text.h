#pragma once

#include <string>

#include "coords/sim_read_error.h"

namespace zelanto::cli {

// One line for the user: the file, the line, the item, what was found and what was expected.
std::string describeReadError(const coords::SimReadError& error);

}  // namespace zelanto::cli

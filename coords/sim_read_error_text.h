#pragma once

#include <string>

#include "coords/sim_read_error.h"

namespace zelanto::coords {

// One line for the user: the file, the line, the item, what was found and what was expected.
// Both the command line tool and the window show it, so a surveyor can find the bad line.
std::string describeReadError(const SimReadError& error);

}  // namespace zelanto::coords

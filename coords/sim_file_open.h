#pragma once

#include <cstdio>
#include <filesystem>

#include "coords/sim_encoding.h"

namespace zelanto::coords {

// Opens a SIM file for reading and finds the encoding it reads in (see detectSimEncoding), the
// file positioned where its text begins. Throws SimReadError when the path is no readable file.
std::FILE* openSimFile(const std::filesystem::path& file, SimEncoding& encoding);

}  // namespace zelanto::coords

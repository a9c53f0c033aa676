#pragma once

#include <filesystem>
#include <string>

#include "coords/parcel_reader.h"

namespace zelanto::coords {

// One line for the user: the file, the line, the parcel, what is wrong and what was expected.
std::string describeParcelIssue(const std::filesystem::path& file, const ParcelIssue& issue);

}  // namespace zelanto::coords

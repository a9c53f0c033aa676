#pragma once

#include <filesystem>
#include <string>

#include "coords/parcel_measure.h"
#include "coords/parcels.h"

namespace zelanto::coords {

// One line for the user each: the file, the line, the parcel, what is wrong and what was
// expected.

// A parcel block that did not read.
std::string describeParcelIssue(const std::filesystem::path& file, const ParcelIssue& issue);

// A record that a parcel that read left out.
std::string describeLeftOutRecord(const std::filesystem::path& file, const Parcel& parcel,
                                  const LeftOutRecord& record);

// A "C03" value that the coordinates do not give: both values, their difference and how much of
// it rounding explains.
std::string describeEdgeDisagreement(const std::filesystem::path& file, const Parcel& parcel,
                                     const EdgeDisagreement& disagreement);

}  // namespace zelanto::coords

#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "coords/parcel.h"

namespace zelanto::coords {

// The points of a SIM file, each as a corner takes it, for the corner records of parcels to refer
// to. A number is compared
// as a number where it is one ("    1", "1" and "001" are the same point), as text otherwise;
// where two points share a number or a name, the first one counts.
class ParcelPointIndex {
public:
    void add(ParcelCorner point);

    // The point that a corner record refers to: the one with its number, or the one with its
    // name where the number is empty or no point has it. Nothing when neither finds a point.
    const ParcelCorner* find(std::string_view number, std::string_view name) const;

private:
    const ParcelCorner* byNumber(std::string_view number) const;

    std::vector<ParcelCorner> points_;
    std::unordered_map<double, size_t> numericNumbers_;
    std::unordered_map<std::string, size_t> textNumbers_;
    std::unordered_map<std::string, size_t> names_;
};

}  // namespace zelanto::coords

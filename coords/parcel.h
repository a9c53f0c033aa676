#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zelanto::coords {

// A corner of a parcel: the point its corner record refers to, with that point's coordinates in
// metres as the point record gives them (X northwards, Y eastwards).
struct ParcelCorner {
    std::string number;  // the point's 電算No as its point record writes it
    std::string name;    // the point's 測点名
    double x = 0;
    double y = 0;
};

// A parcel (画地) of a SIM file: a closed outline through its corners in their order, the last
// corner joined back to the first.
struct Parcel {
    std::string number;  // as written, blanks trimmed
    std::string name;
    std::string kind;
    long line = 0;  // the line of its "D00" record
    std::vector<ParcelCorner> corners;
    // The most decimal places among the corners' coordinates as written: areas and differences of
    // such coordinates are exact decimals with a known number of places. Nothing when one of them
    // is written with an exponent.
    std::optional<int> decimals;
};

}  // namespace zelanto::coords

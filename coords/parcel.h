#pragma once

#include <optional>
#include <string>
#include <vector>

#include "coords/dms_angle.h"

namespace zelanto::coords {

// A "C03" record after a corner: the edge from that corner to the next as the file writes it,
// the last corner's edge closing back to the first.
struct WrittenEdge {
    std::string lengthText;  // metres, as written
    double length = 0;
    double lengthRounding = 0;   // half a unit of the length's last written place, metres
    DmsAngle bearing;            // clockwise from north (X), written ddd.mmss
    double bearingRounding = 0;  // half a unit of the bearing's last written place, degrees
    long line = 0;
};

// A corner of a parcel: the point its corner record refers to, with that point's coordinates in
// metres as the point record gives them (X northwards, Y eastwards).
struct ParcelCorner {
    std::string number;  // the point's 電算No as its point record writes it
    std::string name;    // the point's 測点名
    double x = 0;
    double y = 0;
    // The decimal places X and Y are written with; nothing for one written with an exponent.
    std::optional<int> xPlaces;
    std::optional<int> yPlaces;
    // The "C03" record that follows the corner's record, where the file has one.
    std::optional<WrittenEdge> edge;
};

// Why a record inside a parcel block was left out of the parcel.
enum class LeftOutReason {
    UnknownRecord,      // a code this reader does not take
    EdgeWithoutCorner,  // a "C03" with no corner of its own before it: first, or a second one
    UnreadableEdge,     // a "C03" whose length or bearing is not a number of its form
};

// A record inside a parcel block that the parcel does not take, kept as written for a reader that
// knows it.
struct LeftOutRecord {
    std::string code;
    std::vector<std::string> fields;  // the items after the code
    long line = 0;
    LeftOutReason reason = LeftOutReason::UnknownRecord;
};

// A parcel (画地) of a SIM file: a closed outline through its corners in their order, the last
// corner joined back to the first. A corner that stands twice stays twice.
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
    std::vector<LeftOutRecord> leftOut;  // in file order
};

}  // namespace zelanto::coords

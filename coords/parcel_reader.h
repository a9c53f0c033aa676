#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "coords/parcel.h"

namespace zelanto::coords {

// What keeps a parcel block from making a parcel.
enum class ParcelProblem {
    NoSuchPoint,    // a corner whose number and name find no point of the file
    NoBlockEnd,     // a block that the next block, a point or the end of the file cuts off
    TooFewCorners,  // fewer than three corners: no outline
};

// One parcel block that did not read, and where.
struct ParcelIssue {
    ParcelProblem problem = ParcelProblem::NoSuchPoint;
    // The line of the corner record (NoSuchPoint) or of the block's "D00" record.
    long line = 0;
    std::string parcelNumber;
    std::string parcelName;
    // NoSuchPoint: the point number and name the corner record gives.
    std::string cornerNumber;
    std::string cornerName;
    // NoBlockEnd: the code and line of the record that came before any "D99" and ended the
    // block ("D00" or a point's "A" record); line 0 when the file ended.
    std::string cutBy;
    long cutAt = 0;
    // TooFewCorners: how many corners the block has.
    int corners = 0;
};

struct ParcelFile {
    std::vector<Parcel> parcels;  // in file order, each with every corner found
    std::vector<ParcelIssue> issues;
};

// Reads the parcels of a SIM file, wherever they stand: blocks of a "D00,<number>,<name>,<kind>,"
// record, one "B01,<point number>,<point name>," record per corner in order, each optionally
// followed by "C03,<length m>,<bearing ddd.mmss>," (the edge to the next corner), and "D99,".
// "Z00" comment records may stand anywhere. Inside a block, another record is kept in the
// parcel's left-out records, and so is a "C03" that does not read or has no corner of its own;
// only the next "D00", a record of the points ("A00", "A01", "A99") or the end of the file cut a
// block short. Outside blocks, records other than points (the points' "A99", a closing
// "A99,END", blocks of other kinds) are passed over. Corners refer to the "A01" points of the
// whole file (see ParcelPointIndex). Texts are taken with the blanks around them trimmed. A block
// that does not make a parcel is an issue, and the other parcels still read.
// Throws SimReadError when the file does not read, or a point's coordinate is not a number.
ParcelFile readParcels(const std::filesystem::path& file);

}  // namespace zelanto::coords

#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "coords/dms_angle.h"
#include "coords/sim_reader.h"

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

// The points of a SIM file as the corner records of parcels refer to them, in the order they are
// added. A number is compared as a number where it is one ("    1", "1" and "001" are the same
// point), as text otherwise; a corner whose number is empty or finds no point is looked up by its
// name. Where two points share a number or a name, the first one counts.
class ParcelPointIndex {
public:
    void add(std::string_view number, std::string_view name);
    // The place, in the order of adding, of the point a corner record refers to; nothing when
    // neither its number nor its name finds one.
    std::optional<size_t> find(std::string_view number, std::string_view name) const;

private:
    size_t count_ = 0;
    std::unordered_map<double, size_t> numericNumbers_;
    std::unordered_map<std::string, size_t> textNumbers_;
    std::unordered_map<std::string, size_t> names_;
};

// Gathers the parcels of a SIM file, wherever they stand, from its records and its points as one
// pass over the file gives them: blocks of a "D00,<number>,<name>,<kind>," record, one
// "B01,<point number>,<point name>," record per corner in order, each optionally followed by
// "C03,<length m>,<bearing ddd.mmss>," (the edge to the next corner), and "D99,". "Z00" comment
// records may stand anywhere. Inside a block, another record is kept in the parcel's left-out
// records, and so is a "C03" that does not read or has no corner of its own; only the next "D00",
// a record of the points ("A00", "A01", "A99") or the end of the file cut a block short. Outside
// blocks, records other than points (the points' "A99", a closing "A99,END", blocks of other
// kinds) are passed over. Corners refer to the "A01" points of the whole file (see
// ParcelPointIndex). Texts are taken with the blanks
// around them trimmed. A block that does not make a parcel is an issue, and the other parcels
// still read.
class ParcelCollector {
public:
    explicit ParcelCollector(std::filesystem::path file);
    ~ParcelCollector();
    ParcelCollector(const ParcelCollector&) = delete;
    ParcelCollector& operator=(const ParcelCollector&) = delete;

    // A record read whole. An "A01" record is a point; throws SimReadError when its X or Y is not
    // a number.
    void take(const SimRecord& record);
    // A point read as the import reads points, which stands for its record.
    void take(const SimPoint& point);
    // The parcels in file order, and the issues in the order of their lines.
    ParcelFile finish();

private:
    class Blocks;
    std::unique_ptr<Blocks> blocks_;
};

// The parcels of a SIM file read record by record from its start (see ParcelCollector). Throws
// SimReadError when the file does not read, or a point's coordinate is not a number.
ParcelFile readParcels(const std::filesystem::path& file);

}  // namespace zelanto::coords

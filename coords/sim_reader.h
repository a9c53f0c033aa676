#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "coords/sim_file.h"
#include "coords/sim_read_error.h"

namespace zelanto::coords {

// A SIM file is read at three levels, all from one stream of items: items (the text between
// commas and line ends), records (the items of one line) and points (seven items at a time, as the
// import and the merge take them, whatever the lines).

// One item of a SIM file: its text (UTF-8) and the line it begins on.
struct SimItem {
    std::string text;
    long line = 0;
};

// A failure of the item layer; the reader adds the file and the item's role.
struct SimItemFailure {
    SimReadProblem problem;
    long line;
    std::string found;
};

// Cuts a SIM file into items, streaming:
// - items are separated by commas and line ends (CR LF, a lone LF or a lone CR);
// - an item that begins with a double quote ends at the next double quote, which it does not
//   include; commas and line ends between the quotes belong to it, anything between the closing
//   quote and the next separator is dropped;
// - blanks and tabs around an unquoted item are trimmed;
// - a comma followed by another comma, a line end or the end of the file makes an empty item; a
//   line end right after an item, and an empty line, make none.
// Each item is converted from the file's encoding to UTF-8, bytes that are not text in it kept as
// byte escapes. Throws SimItemFailure for a NUL byte, an item longer than a cell holds, or a
// failing read.
class SimItemReader {
public:
    // Longest item: what one spreadsheet cell can hold.
    static constexpr size_t kMaxItemBytes = 32767;

    SimItemReader(std::FILE* file, SimEncoding encoding) : file_(file), encoding_(encoding) {}

    // The next item, or nothing at the end of the file.
    std::optional<SimItem> next();

    // The line the reader has reached (1-based).
    long line() const { return line_; }

    // The item last returned ended its record: a line end or the end of the file came after it,
    // not a comma.
    bool atRecordEnd() const { return !itemPromised_; }

private:
    std::optional<SimItem> bufferedItem();
    int peek();
    int get();
    // Reads the next block of the file; false at its end.
    bool refill();
    // At a comma, a line end or the end of the file.
    bool atItemEnd();
    void skipLineEnd();
    void skipBlanks();
    void takeByte(std::string& item, int byte);
    SimItem quotedItem();
    SimItem unquotedItem();
    // Consumes the separator after an item: a comma (which promises a further item), a line end,
    // or nothing at the end of the file.
    void endItem();
    std::string text(std::string bytes) const;

    std::FILE* file_;
    SimEncoding encoding_;
    char buffer_[65536];
    size_t position_ = 0;
    size_t filled_ = 0;
    long line_ = 1;
    long itemLine_ = 1;
    bool itemPromised_ = false;
};

// One record of a SIM file: the items from its record code up to the line end, with the line the
// record begins on.
struct SimRecord {
    std::vector<SimItem> items;
    long line = 0;

    std::string_view code() const { return field(0); }
    // The text of field `n` (1 for the item after the code); empty where the record is shorter.
    std::string_view field(size_t n) const {
        return n < items.size() ? std::string_view(items[n].text) : std::string_view();
    }
};

// A coordinate item of a point and what it reads as: its number (0 for an empty item), or the
// failure of an item that is not a number, reported only when the number is asked for, so that
// the fields to its left can be written first.
struct SimCoordinate {
    SimItem item;
    double value = 0;
    // The item, blanks aside, is the plain decimal of its number (see base::parseShortDecimal),
    // or empty.
    bool exact = false;
    std::shared_ptr<const SimReadError> failure;

    // The number; throws the SimReadError of an item that is not a number.
    double number() const;
};

// One point as read from a SIM file.
struct SimPoint {
    int index = 0;  // 1 for the first point of the file
    // The record code that began it: "A01", or whatever other code stood where the read before
    // this one expected the next record's code; empty when no "A01" began the points.
    SimItem code;
    SimItem number;
    SimItem name;
    SimCoordinate x;
    SimCoordinate y;
    SimCoordinate elevation;
    // The record after this one is "A99": this was the last point.
    bool last = false;
};

// What a caller does with each record read whole.
using SimRecordVisitor = std::function<void(const SimRecord&)>;

// Reads a SIM file in its four steps: open (the constructor), skip to the first point, read
// points, close. Every failure is a SimReadError; after one the reader reads nothing more.
// The file is read in code page 932 or in UTF-8 (see detectSimEncoding). Whatever ZELANTO writes
// is code page 932, so a point number or name of a UTF-8 file that it cannot hold is a failure
// rather than a "?" in what is written later.
// Besides the points the reader gives the records around them, so that one pass over the file
// finds what else it carries (the parcels).
class SimReader {
public:
    // Items looked at for the first "A01" before points are read regardless.
    static constexpr int kHeaderItemLimit = 20;
    static constexpr std::string_view kFirstPointCode = "A01";
    static constexpr std::string_view kEndOfPointsCode = "A99";

    explicit SimReader(std::filesystem::path file);
    ~SimReader();
    SimReader(const SimReader&) = delete;
    SimReader& operator=(const SimReader&) = delete;

    const std::filesystem::path& file() const { return file_; }

    // Reads up to 20 items and stops right after the first item that is exactly "A01". Without
    // one, reading goes on with the 21st item as the first point's number. Each whole record it
    // reads on the way goes to `passedOver`.
    void skipToFirstPoint(const SimRecordVisitor& passedOver = {});

    // Reads the next seven items: number, name, X, Y, elevation, the empty item of the closing
    // comma and the following record's code.
    SimPoint readPoint();

    // Reads the rest of the file record by record: first the record whose code the last point's
    // read took (the rest of the "A99" line, or the point after the last one read), then every
    // record to the end of the file; from the start of the file when nothing was read yet. Item
    // failures are SimReadErrors of the role Record.
    void readRecords(const SimRecordVisitor& visit);

    void close();

private:
    SimItem nextItem(SimReadProblem atEnd, int point, SimItemRole role);
    // The number or name item of `point` for the text cells, which code page 932 must hold.
    SimItem textItem(int point, SimItemRole role);
    SimCoordinate coordinateItem(int point, SimItemRole role);
    [[noreturn]] void fail(SimReadProblem problem, long line, int point, SimItemRole role,
                           std::string found) const;

    std::filesystem::path file_;
    std::FILE* handle_ = nullptr;
    SimEncoding encoding_ = SimEncoding::Cp932;
    std::unique_ptr<SimItemReader> items_;
    int pointsRead_ = 0;
    // The code item that the last point's read ended with, which begins the next record.
    std::optional<SimItem> nextCode_;
};

// The number in a coordinate item: blanks around it (a quoted item keeps them) do not change it,
// and an empty item is 0. Nothing when the item is not a decimal number.
std::optional<double> coordinateFromText(std::string_view text);

// The decimal places a coordinate item is written with: 3 for "-30726.388", 0 for "12" or an
// empty item. Nothing for a number with an exponent, whose places the text does not show.
std::optional<int> decimalPlaces(std::string_view text);

}  // namespace zelanto::coords

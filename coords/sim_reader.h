#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

#include "coords/sim_item_reader.h"
#include "coords/sim_read_error.h"

namespace zelanto::coords {

// One point as read from a SIM file: the items of its record, still text. The coordinates are
// converted only when they are written into the sheet (see coordinateValue).
struct SimPoint {
    int index = 0;  // 1 for the first point of the file
    SimItem number;
    SimItem name;
    SimItem x;
    SimItem y;
    SimItem elevation;
    // The record after this one is "A99": this was the last point.
    bool last = false;
};

// Reads a SIM file in its four steps: open (the constructor), skip to the first point, read
// points, close. Every failure is a SimReadError; after one the reader reads nothing more.
// The file is read in code page 932 or in UTF-8 (see detectSimEncoding). Whatever ZELANTO writes
// is code page 932, so a point number or name of a UTF-8 file that it cannot hold is a failure
// rather than a "?" in what is written later.
class SimReader {
public:
    // Items looked at for the first "A01" before points are read regardless.
    static constexpr int kHeaderItemLimit = 20;

    explicit SimReader(std::filesystem::path file);
    ~SimReader();
    SimReader(const SimReader&) = delete;
    SimReader& operator=(const SimReader&) = delete;

    // Reads up to 20 items and stops right after the first item that is exactly "A01". Without
    // one, reading goes on with the 21st item as the first point's number.
    void skipToFirstPoint();

    // Reads the next seven items: number, name, X, Y, elevation, the empty item of the closing
    // comma and the following record's code.
    SimPoint readPoint();

    void close();

    // The number in a coordinate item of `point`; an empty item is 0.
    double coordinateValue(const SimPoint& point, SimItemRole role) const;

private:
    SimItem nextItem(SimReadProblem atEnd, int point, SimItemRole role);
    // The number or name item of `point` for the text cells, which code page 932 must hold.
    SimItem textItem(int point, SimItemRole role);
    [[noreturn]] void fail(SimReadProblem problem, long line, int point, SimItemRole role,
                           std::string found) const;

    std::filesystem::path file_;
    std::FILE* handle_ = nullptr;
    SimEncoding encoding_ = SimEncoding::Cp932;
    std::unique_ptr<SimItemReader> items_;
    int pointsRead_ = 0;
};

}  // namespace zelanto::coords

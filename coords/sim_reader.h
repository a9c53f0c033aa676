#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>

#include "coords/sim_item_reader.h"
#include "coords/sim_read_error.h"

namespace zelanto::coords {

// A coordinate item of a point and what it reads as: its number (0 for an empty item), or the
// failure of an item that is not a number, reported only when the number is asked for, so that
// the fields to its left can be written first.
struct SimCoordinate {
    SimItem item;
    double value = 0;
    std::shared_ptr<const SimReadError> failure;

    // The number; throws the SimReadError of an item that is not a number.
    double number() const;
};

// One point as read from a SIM file.
struct SimPoint {
    int index = 0;  // 1 for the first point of the file
    SimItem number;
    SimItem name;
    SimCoordinate x;
    SimCoordinate y;
    SimCoordinate elevation;
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
};

}  // namespace zelanto::coords

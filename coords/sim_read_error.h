#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "coords/sim_file.h"

namespace zelanto::coords {

// Why a SIM file did not read.
enum class SimReadProblem {
    CannotOpen,    // no such file, a folder, no permission
    CannotRead,    // the system failed while reading
    NoFirstPoint,  // the file ended among the first 20 items without an "A01"
    EndOfFile,     // the file ended inside a point record
    NotANumber,    // a coordinate that is not a decimal number
    ItemTooLong,   // an item longer than a cell can hold
    NulByte,       // a NUL byte: not a text file
    NoAnsiForm,    // a number or name of a UTF-8 file with a character code page 932 cannot hold
};

// Which item of a point record (or of the header) a failure concerns.
enum class SimItemRole {
    NoItem,  // the file as a whole
    Header,
    PointNumber,
    PointName,
    X,
    Y,
    Elevation,
    LineEnd,     // the empty item of the comma that closes the record
    NextRecord,  // the record code of the following line ("A99" or a further point)
    Record,      // an item of a record read whole, as the parcels are
};

// A read failure with where it happened: the file, its line (1-based; 0 when the file did not
// open), the point being read (1-based; 0 in the header), the item and the text found there.
class SimReadError : public std::runtime_error {
public:
    SimReadError(SimReadProblem problem, std::filesystem::path file, long line, int point,
                 SimItemRole role, std::string found);

    SimReadProblem problem() const { return problem_; }
    const std::filesystem::path& file() const { return file_; }
    long line() const { return line_; }
    int point() const { return point_; }
    SimItemRole role() const { return role_; }
    const std::string& found() const { return found_; }

private:
    SimReadProblem problem_;
    std::filesystem::path file_;
    long line_;
    int point_;
    SimItemRole role_;
    std::string found_;
};

// One line for the user: the file, the line, the item, what was found and what was expected.
// Both the command line tool and the window show it, so a surveyor can find the bad line.
std::string describeReadError(const SimReadError& error);

// What is wrong with a path that fails the SIM file check, after the path: "<path>: <why>".
std::string describeSimFileRefusal(const std::filesystem::path& path, SimFileRefusal refusal);

}  // namespace zelanto::coords

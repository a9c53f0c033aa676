#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "coords/sim_encoding.h"
#include "coords/sim_read_error.h"

namespace zelanto::coords {

// One item of a SIM file: its text (UTF-8) and the line it begins on.
struct SimItem {
    std::string text;
    long line = 0;
};

// A failure of the item layer; the record layer adds the file and the item's role.
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
    int peek();
    int get();
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

}  // namespace zelanto::coords

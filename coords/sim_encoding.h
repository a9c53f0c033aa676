#pragma once

#include <cstdio>

namespace zelanto::coords {

// The encodings a SIM file is read in. Files from survey instruments and Windows programs are in
// code page 932; a file saved by a text editor on Linux is usually UTF-8.
enum class SimEncoding {
    Cp932,
    Utf8,
    Utf8WithByteOrderMark,
};

// How the file reads: as UTF-8 when it begins with the UTF-8 byte-order mark, or when it is
// well-formed UTF-8 from start to end and holds a character of three or four bytes, or holds
// two-byte characters only but does not read as code page 932; otherwise as code page 932 (a file
// of ASCII alone reads the same either way). Reads the whole file and
// leaves it positioned where its text begins, after a byte-order mark. False when reading failed.
bool detectSimEncoding(std::FILE* file, SimEncoding& encoding);

}  // namespace zelanto::coords

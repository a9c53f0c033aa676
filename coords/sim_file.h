#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>

namespace zelanto::coords {

// The check the import and the merge make on a chosen path: an ordinary file is there and its
// name ends in exactly "sim" or "SIM" (so "Sim" is refused, and so is an empty path).
bool passesSimFileCheck(const std::filesystem::path& path);

// Why a path fails that check.
enum class SimFileRefusal {
    NoFile,       // no ordinary file is there (nothing, a folder, a hidden file, an empty path)
    NotNamedSim,  // its name does not end in "sim" or "SIM"
};

// Why `path` fails the check; nothing when it passes.
std::optional<SimFileRefusal> simFileRefusal(const std::filesystem::path& path);

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

// Opens a SIM file for reading and finds the encoding it reads in (see detectSimEncoding), the
// file positioned where its text begins. Throws SimReadError when the path is no readable file.
std::FILE* openSimFile(const std::filesystem::path& file, SimEncoding& encoding);

}  // namespace zelanto::coords

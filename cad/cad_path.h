#pragma once

#include <string>

namespace zelanto::cad {

// A chosen CAD program is accepted when the name of the file found ends in exactly "exe" or
// "EXE": only the last three characters count, so "Exe" is refused and a name without a dot
// before them is accepted.
inline bool isAcceptedCadProgramName(const std::string& name) {
    return name.ends_with("exe") || name.ends_with("EXE");
}

}  // namespace zelanto::cad

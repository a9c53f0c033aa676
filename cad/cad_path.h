#pragma once

#include <filesystem>
#include <string>

namespace zelanto::cad {

// A chosen CAD program is accepted when the name of the file found ends in exactly "exe" or
// "EXE": only the last three characters count, so "Exe" is refused and a name without a dot
// before them is accepted.
inline bool isAcceptedCadProgramName(const std::string& name) {
    return name.ends_with("exe") || name.ends_with("EXE");
}

// The choice of a CAD program: an executable program (as every CAD program on Linux is), or a
// file whose name passes the rule above.
bool isAcceptedCadProgram(const std::filesystem::path& path);

// Whether the main window shows the CAD program on its button at start: an executable program, or
// a file whose name ends in lower-case "exe".
bool showsAsChosenCadProgram(const std::filesystem::path& path);

}  // namespace zelanto::cad

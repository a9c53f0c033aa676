#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

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

// The CAD programs ZELANTO knows by name.

// Words in the window titles of the CAD programs that run the plot's script on their command line.
// The plot types into the window of the program it started; when it finds none, into a window
// whose title holds one of these.
inline constexpr std::array<std::string_view, 5> kScriptRunningCadTitles{
    "AutoCAD", "BricsCAD", "ZWCAD", "GstarCAD", "DraftSight"};

// Names of CAD programs that open DXF drawings but run no script: the plot has them open the
// drawing instead of typing the script command.
inline constexpr std::array<std::string_view, 1> kDrawingOnlyCadPrograms{"librecad"};

// Whether `program` is one of those: its file name, or that of the file it links to, or the last
// part of a flatpak application id, begins in lower case with one of the names (so "librecad",
// "LibreCAD-2.2.0-x86_64.AppImage" and "org.librecad.librecad" count).
bool opensDrawingsOnly(const std::filesystem::path& program);

}  // namespace zelanto::cad

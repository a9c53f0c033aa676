#pragma once

#include <string>

namespace zelanto::cad {

// Keys typed into the CAD program before the script: two turns of its coordinate system, 90
// degrees about Z, then 180 degrees about the new X, so that the sheet's X runs up the drawing.
inline constexpr const char* kCoordinateSystemTurnZ = "_ucs _Z 90 ";
inline constexpr const char* kCoordinateSystemTurnX = "_ucs _x 180 ";

// The keys that make the CAD program run the script: file dialogs off, then "script" with the
// path and Return. A blank ends an input there, so a path holding one is put between quotes.
inline std::string runScriptKeys(const std::string& scriptPath) {
    const bool quoted = scriptPath.find(' ') != std::string::npos;
    return "filedia 0 script " + (quoted ? "\"" + scriptPath + "\"" : scriptPath) + "\r";
}

// The keys that zoom a CAD program that opened the drawing (LibreCAD) to the whole drawing: "za"
// (zoom auto) and Return on its command line. Its canvas, which has the focus, passes the first
// key on to the command line only after the keys behind it may have reached it, so the first key
// is a blank, which changes nothing wherever it lands.
inline constexpr const char* kZoomToDrawing = " za\r";

}  // namespace zelanto::cad

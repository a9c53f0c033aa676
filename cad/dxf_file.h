#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "cad/drawing.h"

namespace zelanto::cad {

// Writes `drawing` as a DXF file of AutoCAD 2000 (AC1015) in drawing units of millimetres. Its
// texts are in code page 932 ($DWGCODEPAGE ANSI_932, see dxfText below), in the text style KST32B,
// named after the Japanese stroke font it uses, so that both programs that take the style's font
// file and programs that take the style's name find a font with the Japanese characters. The
// extents and the initial view hold the whole drawing. The file replaces `file` once complete;
// throws base::FileError when it cannot be written.
void writeDxfFile(const Drawing& drawing, const std::filesystem::path& file);

// The bytes of a text (UTF-8) in a DXF file whose code page is 932 (ANSI_932): each character in
// code page 932 where it has a form there, every other character of the basic plane as the DXF's
// own escape "\U+XXXX", which readers of DXF turn back into that character. A byte escape (a byte
// that was no text where it was read) goes as its own code point, so the drawing shows it as the
// sheet does. Characters beyond the basic plane, which the escape cannot name, and bytes that are
// not UTF-8 become "?". A backslash that would begin an escape is escaped itself.
std::string dxfText(std::string_view utf8);

}  // namespace zelanto::cad

#pragma once

#include <filesystem>

#include "cad/drawing.h"

namespace zelanto::cad {

// Writes `drawing` as a DXF file of AutoCAD 2000 (AC1015) in drawing units of millimetres. Its
// texts are in code page 932 ($DWGCODEPAGE ANSI_932, see dxf_text.h), in the text style KST32B,
// named after the Japanese stroke font it uses, so that both programs that take the style's font
// file and programs that take the style's name find a font with the Japanese characters. The
// extents and the initial view hold the whole drawing. The file replaces `file` once complete;
// throws base::FileError when it cannot be written.
void writeDxfFile(const Drawing& drawing, const std::filesystem::path& file);

}  // namespace zelanto::cad

#pragma once

#include <filesystem>
#include <optional>

#include "cad/drawing.h"

namespace zelanto::cad {

// What a picture of a drawing shows, and its size in pixels.
struct PictureStyle {
    int width = 1024;
    int height = 768;
    // The texts (names); a thumbnail leaves them out, as they cannot be read at its size.
    bool texts = true;
    // Drawing units per metre of the world: when given, a scale bar in metres in the bottom-left
    // corner.
    std::optional<double> unitsPerMetre;
};

// Writes a PNG picture of `drawing` on white, north up and east to the right, as large as it fits
// with a margin (see fitDrawing): points as dots, circles as rings, outlines closed, texts in a
// font that has the Japanese characters, each in the colour its number gives (7, white on a CAD
// screen, black on the picture's white). Texts that overlap are drawn all the same. The file
// replaces `file` once complete; throws base::FileError when it cannot be written or drawn.
void writeDrawingPicture(const Drawing& drawing, const PictureStyle& style,
                         const std::filesystem::path& file);

}  // namespace zelanto::cad

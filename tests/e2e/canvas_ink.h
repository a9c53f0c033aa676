#pragma once

#include <optional>
#include <string>

namespace zelanto::testing {

// What a CAD program's black canvas shows of a drawing, read from a screenshot of its window.
struct CanvasInk {
    // The canvas: the black area of the window, in pixels.
    int width = 0;
    int height = 0;
    // Pixels in the colours of the drawing: blue (colour 5, the points and circles) and white
    // (colour 7, the names).
    int blue = 0;
    int white = 0;
    // The box around the blue pixels, in pixels from the canvas's top left corner.
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The ink on the canvas of the window `windowId` as it is now on the screen (ImageMagick's
// import); nothing when the window cannot be taken or shows no black canvas.
std::optional<CanvasInk> inkOnCanvas(const std::string& windowId);

}  // namespace zelanto::testing

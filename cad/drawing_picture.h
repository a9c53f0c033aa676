#pragma once

#include <algorithm>
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

// Sizes in pixels below which a picture does not draw the plot's shapes, whatever the scale: a
// point is a dot, its circle stays a ring around it, a name stays readable.
inline constexpr double kDotRadius = 1.5;
inline constexpr double kSmallestCircleRadius = 3;
inline constexpr double kSmallestTextHeight = 12;

// Where a drawing lies in a picture: `scale` pixels per drawing unit, world x east to the right,
// world y north up (pixel rows run down), world (0, 0) at pixel (left, top).
struct PictureFrame {
    double scale = 1;
    double left = 0;
    double top = 0;

    double column(double x) const { return left + x * scale; }
    double row(double y) const { return top - y * scale; }
    double circleRadius(double radius) const {
        return std::max(radius * scale, kSmallestCircleRadius);
    }
    double textHeight(double height) const { return std::max(height * scale, kSmallestTextHeight); }
};

// The frame that shows the whole drawing as large as it fits into a picture of `width` by
// `height` pixels less `margin` on every side, centred, every shape at its size in the picture.
// Texts count only `withTexts`; where they cannot fit at any scale (a name wider than the
// picture), the frame is fitted to the other shapes and texts may run over the picture's edge. A
// drawing smaller than 10 drawing units is shown as if it were that large, so that one point is no
// circle filling the picture.
PictureFrame fitDrawing(const Drawing& drawing, bool withTexts, double width, double height,
                        double margin);

}  // namespace zelanto::cad

#pragma once

#include <algorithm>

#include "cad/drawing.h"

namespace zelanto::cad {

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

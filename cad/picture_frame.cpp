#include "cad/picture_frame.h"

#include <cmath>
#include <map>
#include <optional>
#include <variant>

namespace zelanto::cad {
namespace {

// The smallest width and height of the world a picture shows, in drawing units.
constexpr double kSmallestView = 10;
// Halvings of the scale's interval: the fit is then exact to a millionth of a millionth.
constexpr int kFitSteps = 40;

// Shapes that take the same place around their anchor points: the same size rule and size, and
// the same box around the anchor at size 1 (texts of as many characters, anchored alike). The
// place of all of them at a scale follows from where their anchors reach, so that a fit tries a
// scale on a handful of classes instead of on every shape.
struct ShapeClass {
    enum SizeRule { none, dot, circle, text };
    SizeRule rule = none;
    double size = 0;  // the drawing's size that the rule takes: a radius or a height
    double left = 0;  // the box around the anchor at size 1
    double bottom = 0;
    double right = 0;
    double top = 0;

    auto operator<=>(const ShapeClass&) const = default;

    double pixels(const PictureFrame& frame) const {
        switch (rule) {
            case dot:
                return kDotRadius;
            case circle:
                return frame.circleRadius(size);
            case text:
                return frame.textHeight(size);
            default:
                return 0;
        }
    }
};

void include(Extents& box, const Extents& more) {
    box = {{std::min(box.min.x, more.min.x), std::min(box.min.y, more.min.y)},
           {std::max(box.max.x, more.max.x), std::max(box.max.y, more.max.y)}};
}

// Where the anchors of each class of shape reach.
class ShapeClasses {
public:
    ShapeClasses(const Drawing& drawing, bool withTexts) : withTexts_(withTexts) {
        for (const Entity& entity : drawing.entities) {
            std::visit(*this, entity);
        }
    }

    void operator()(const PointEntity& point) { add({ShapeClass::dot, 0, -1, -1, 1, 1}, point.at); }
    void operator()(const CircleEntity& circle) {
        add({ShapeClass::circle, circle.radius, -1, -1, 1, 1}, circle.centre);
    }
    void operator()(const TextEntity& text) {
        if (withTexts_) {
            const Extents box = textBox(text, 1);
            add({ShapeClass::text, text.height, box.min.x - text.at.x, box.min.y - text.at.y,
                 box.max.x - text.at.x, box.max.y - text.at.y},
                text.at);
        }
    }
    void operator()(const OutlineEntity& outline) {
        for (const WorldPoint& vertex : outline.vertices) {
            add({}, vertex);
        }
    }

    // What the shapes take at the frame's scale, before its origin is added: world coordinates
    // times the scale, with y up, every shape at its size in the picture. Nothing for no shapes.
    std::optional<Extents> scaledExtents(const PictureFrame& frame) const {
        std::optional<Extents> extents;
        for (const auto& [shape, anchors] : anchors_) {
            const double pixels = shape.pixels(frame);
            const double s = frame.scale;
            const Extents box{
                {anchors.min.x * s + shape.left * pixels,
                 anchors.min.y * s + shape.bottom * pixels},
                {anchors.max.x * s + shape.right * pixels, anchors.max.y * s + shape.top * pixels}};
            if (extents) {
                include(*extents, box);
            } else {
                extents = box;
            }
        }
        return extents;
    }

private:
    void add(const ShapeClass& shape, WorldPoint anchor) {
        const auto [place, added] = anchors_.try_emplace(shape, Extents{anchor, anchor});
        if (!added) {
            include(place->second, {anchor, anchor});
        }
    }

    bool withTexts_;
    std::map<ShapeClass, Extents> anchors_;
};

bool fitsInto(const std::optional<Extents>& box, double width, double height) {
    return !box || (box->max.x - box->min.x <= width && box->max.y - box->min.y <= height);
}

// The largest scale up to `largest` at which the shapes fit into `width` by `height`; nothing
// when none does. Shapes only grow with the scale, so the scales that fit are those up to one
// limit, which halving finds.
std::optional<double> largestFittingScale(const ShapeClasses& shapes, double width, double height,
                                          double largest) {
    if (fitsInto(shapes.scaledExtents({largest}), width, height)) {
        return largest;
    }
    double fits = 0;
    double fitsNot = largest;
    for (int step = 0; step < kFitSteps; ++step) {
        const double middle = (fits + fitsNot) / 2;
        if (fitsInto(shapes.scaledExtents({middle}), width, height)) {
            fits = middle;
        } else {
            fitsNot = middle;
        }
    }
    return fits > 0 ? std::optional(fits) : std::nullopt;
}

}  // namespace

PictureFrame fitDrawing(const Drawing& drawing, bool withTexts, double width, double height,
                        double margin) {
    const double roomWidth = std::max(width - 2 * margin, 1.0);
    const double roomHeight = std::max(height - 2 * margin, 1.0);
    const double largest = std::min(roomWidth, roomHeight) / kSmallestView;
    ShapeClasses shapes(drawing, withTexts);
    std::optional<double> scale = largestFittingScale(shapes, roomWidth, roomHeight, largest);
    if (!scale && withTexts) {
        shapes = ShapeClasses(drawing, false);
        scale = largestFittingScale(shapes, roomWidth, roomHeight, largest);
    }
    // Nothing fits only a picture too small for a dot: everything then lies on its centre.
    PictureFrame frame{scale.value_or(std::ldexp(largest, -kFitSteps))};
    const Extents box = shapes.scaledExtents(frame).value_or(Extents{});
    frame.left = (width - (box.max.x - box.min.x)) / 2 - box.min.x;
    frame.top = (height - (box.max.y - box.min.y)) / 2 + box.max.y;
    return frame;
}

}  // namespace zelanto::cad

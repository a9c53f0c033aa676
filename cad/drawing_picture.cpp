#include "cad/drawing_picture.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <tuple>
#include <variant>

#include "base/atomic_file.h"
#include "base/decimal_number.h"

namespace zelanto::cad {
namespace {

// The margin on every side, as a share of the picture's smaller side.
constexpr double kMarginShare = 0.04;
constexpr double kRingWidth = 1;
constexpr double kOutlineWidth = 1.5;
// The scale bar: at most this share of the picture's width; in pixels its line, the ticks at its
// ends, the height of its label, the space between them and the strip below the drawing it takes.
constexpr double kBarShare = 0.25;
constexpr double kBarWidth = 2;
constexpr double kBarTick = 6;
constexpr double kBarTextHeight = 12;
constexpr double kBarPadding = 4;
constexpr double kBarStrip = kBarTick + kBarTextHeight + 3 * kBarPadding;

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;
using FontFace = std::unique_ptr<cairo_font_face_t, decltype(&cairo_font_face_destroy)>;

// The face texts are drawn in: the font fontconfig gives Japanese sans-serif text (IPA Gothic,
// Noto Sans CJK …), so that names in kanji and kana show; any sans-serif where none is installed.
FontFace japaneseFace() {
    FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:lang=ja"));
    FcConfigSubstitute(nullptr, wanted, FcMatchPattern);
    FcDefaultSubstitute(wanted);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, wanted, &result);
    FcPatternDestroy(wanted);
    if (found == nullptr) {
        return {cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL,
                                           CAIRO_FONT_WEIGHT_NORMAL),
                &cairo_font_face_destroy};
    }
    // The face keeps a copy of the pattern.
    FontFace face(cairo_ft_font_face_create_for_pattern(found), &cairo_font_face_destroy);
    FcPatternDestroy(found);
    return face;
}

struct Rgb {
    double red;
    double green;
    double blue;
};

// A colour number on white: the standard colours 1 to 6, and black for 7, which a CAD program
// shows white on its dark screen and black on paper.
Rgb onWhite(int colour) {
    switch (colour) {
        case 1:
            return {1, 0, 0};
        case 2:
            return {1, 1, 0};
        case 3:
            return {0, 1, 0};
        case 4:
            return {0, 1, 1};
        case 5:
            return {0, 0, 1};
        case 6:
            return {1, 0, 1};
        default:
            return {0, 0, 0};
    }
}

void setColour(cairo_t* cr, const Rgb& colour) {
    cairo_set_source_rgb(cr, colour.red, colour.green, colour.blue);
}

// A mark drawn once and copied to every place it goes, there centred on the nearest pixel's
// centre: 50,000 rings cost 50,000 small copies instead of 50,000 strokes.
class Stamp {
public:
    Stamp(double radius, bool filled, const Rgb& colour)
        : half_(static_cast<int>(std::ceil(radius + kRingWidth))),
          surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 2 * half_ + 1, 2 * half_ + 1),
                   &cairo_surface_destroy) {
        const Context context(cairo_create(surface_.get()), &cairo_destroy);
        cairo_t* cr = context.get();
        setColour(cr, colour);
        cairo_arc(cr, half_ + 0.5, half_ + 0.5, radius, 0, 2 * std::numbers::pi);
        if (filled) {
            cairo_fill(cr);
        } else {
            cairo_set_line_width(cr, kRingWidth);
            cairo_stroke(cr);
        }
    }

    void at(cairo_t* cr, double x, double y) const {
        cairo_set_source_surface(cr, surface_.get(), std::floor(x) - half_, std::floor(y) - half_);
        cairo_paint(cr);
    }

private:
    int half_;
    Surface surface_;
};

// Draws the entities in their order.
class Canvas {
public:
    Canvas(cairo_t* cr, const PictureFrame& frame, bool texts)
        : cr_(cr), frame_(frame), texts_(texts) {}

    void operator()(const PointEntity& point) {
        stamp(kDotRadius, true, point.colour)
            .at(cr_, frame_.column(point.at.x), frame_.row(point.at.y));
    }
    void operator()(const CircleEntity& circle) {
        stamp(frame_.circleRadius(circle.radius), false, circle.colour)
            .at(cr_, frame_.column(circle.centre.x), frame_.row(circle.centre.y));
    }
    void operator()(const OutlineEntity& outline) {
        setColour(cr_, onWhite(outline.colour));
        cairo_new_path(cr_);
        for (const WorldPoint& vertex : outline.vertices) {
            cairo_line_to(cr_, frame_.column(vertex.x), frame_.row(vertex.y));
        }
        cairo_close_path(cr_);
        cairo_set_line_width(cr_, kOutlineWidth);
        cairo_stroke(cr_);
    }
    void operator()(const TextEntity& text) {
        if (!texts_) {
            return;
        }
        setColour(cr_, onWhite(text.colour));
        cairo_set_font_size(cr_, frame_.textHeight(text.height));
        double x = frame_.column(text.at.x);
        double y = frame_.row(text.at.y);
        if (text.anchor == TextAnchor::middleCentre) {
            cairo_text_extents_t extents;
            cairo_text_extents(cr_, text.text.c_str(), &extents);
            x -= extents.x_bearing + extents.width / 2;
            y -= extents.y_bearing + extents.height / 2;
        }
        cairo_move_to(cr_, x, y);
        cairo_show_text(cr_, text.text.c_str());
    }

private:
    const Stamp& stamp(double radius, bool filled, int colour) {
        const auto key = std::tuple(radius, filled, colour);
        auto found = stamps_.find(key);
        if (found == stamps_.end()) {
            found = stamps_.try_emplace(key, radius, filled, onWhite(colour)).first;
        }
        return found->second;
    }

    cairo_t* cr_;
    const PictureFrame& frame_;
    bool texts_;
    std::map<std::tuple<double, bool, int>, Stamp> stamps_;
};

// The longest of 1, 2 or 5 times a power of ten metres that is at most `longest` metres.
double roundLength(double longest) {
    const double power = std::pow(10, std::floor(std::log10(longest)));
    for (const double step : {5, 2}) {
        if (step * power <= longest) {
            return step * power;
        }
    }
    return power;
}

// A bar of a round length in metres in the bottom-left corner, its length written above it. It
// stands in a strip below the drawing of its own, kBarStrip high, so that it covers no point.
void drawScaleBar(cairo_t* cr, double pixelsPerMetre, const PictureStyle& style, double margin) {
    const double metres = roundLength(kBarShare * style.width / pixelsPerMetre);
    const double length = metres * pixelsPerMetre;
    const double left = margin;
    const double bottom = style.height - margin;
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, kBarWidth);
    cairo_move_to(cr, left, bottom - kBarTick);
    cairo_line_to(cr, left, bottom);
    cairo_line_to(cr, left + length, bottom);
    cairo_line_to(cr, left + length, bottom - kBarTick);
    cairo_stroke(cr);
    cairo_set_font_size(cr, kBarTextHeight);
    cairo_move_to(cr, left, bottom - kBarTick - kBarPadding);
    cairo_show_text(cr, (base::numberText(metres) + " m").c_str());
}

cairo_status_t appendTo(void* png, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(png)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

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

void writeDrawingPicture(const Drawing& drawing, const PictureStyle& style,
                         const std::filesystem::path& file) {
    const Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, style.width, style.height),
                          &cairo_surface_destroy);
    const Context context(cairo_create(surface.get()), &cairo_destroy);
    cairo_t* cr = context.get();
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);

    const double margin = kMarginShare * std::min(style.width, style.height);
    const double barStrip = style.unitsPerMetre ? kBarStrip : 0;
    const PictureFrame frame =
        fitDrawing(drawing, style.texts, style.width, style.height - barStrip, margin);
    const FontFace face =
        style.texts || style.unitsPerMetre ? japaneseFace() : FontFace(nullptr, nullptr);
    if (face) {
        cairo_set_font_face(cr, face.get());
    }
    Canvas canvas(cr, frame, style.texts);
    for (const Entity& entity : drawing.entities) {
        std::visit(canvas, entity);
    }
    if (style.unitsPerMetre) {
        drawScaleBar(cr, frame.scale * *style.unitsPerMetre, style, margin);
    }

    std::string png;
    cairo_status_t status = cairo_status(cr);
    if (status == CAIRO_STATUS_SUCCESS) {
        status = cairo_surface_write_to_png_stream(surface.get(), appendTo, &png);
    }
    if (status != CAIRO_STATUS_SUCCESS) {
        throw base::FileError(file, cairo_status_to_string(status));
    }
    base::writeFileAtomically(file, png);
}

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

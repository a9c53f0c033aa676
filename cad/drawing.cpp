#include "cad/drawing.h"

#include <algorithm>

#include "base/text.h"

namespace zelanto::cad {
namespace {

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < utf8.size(); ++count) {
        at += std::max<std::size_t>(1, base::utf8CharacterAt(utf8.substr(at)).length);
    }
    return count;
}

Extents boxOf(const PointEntity& point) {
    return {point.at, point.at};
}

Extents boxOf(const CircleEntity& circle) {
    return {{circle.centre.x - circle.radius, circle.centre.y - circle.radius},
            {circle.centre.x + circle.radius, circle.centre.y + circle.radius}};
}

Extents boxOf(const TextEntity& text) {
    return textBox(text, text.height);
}

Extents boxOf(const OutlineEntity& outline) {
    Extents box{outline.vertices.front(), outline.vertices.front()};
    for (const WorldPoint& vertex : outline.vertices) {
        box = {{std::min(box.min.x, vertex.x), std::min(box.min.y, vertex.y)},
               {std::max(box.max.x, vertex.x), std::max(box.max.y, vertex.y)}};
    }
    return box;
}

Extents unite(const Extents& a, const Extents& b) {
    return {{std::min(a.min.x, b.min.x), std::min(a.min.y, b.min.y)},
            {std::max(a.max.x, b.max.x), std::max(a.max.y, b.max.y)}};
}

}  // namespace

Extents textBox(const TextEntity& text, double height) {
    const double width = height * static_cast<double>(characterCount(text.text));
    const WorldPoint corner = text.anchor == TextAnchor::bottomLeft
                                  ? text.at
                                  : WorldPoint{text.at.x - width / 2, text.at.y - height / 2};
    return {corner, {corner.x + width, corner.y + height}};
}

std::optional<Extents> extentsOf(const Drawing& drawing) {
    std::optional<Extents> extents;
    for (const Entity& entity : drawing.entities) {
        const Extents box = std::visit([](const auto& shape) { return boxOf(shape); }, entity);
        extents = extents ? unite(*extents, box) : box;
    }
    return extents;
}

}  // namespace zelanto::cad

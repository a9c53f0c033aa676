#include "cad/drawing.h"

#include <algorithm>

#include "platform/text/utf8.h"

namespace zelanto::cad {
namespace {

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < utf8.size(); ++count) {
        at += std::max<std::size_t>(1, platform::utf8CharacterAt(utf8.substr(at)).length);
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
    const double width = text.height * static_cast<double>(characterCount(text.text));
    return {text.bottomLeft, {text.bottomLeft.x + width, text.bottomLeft.y + text.height}};
}

Extents unite(const Extents& a, const Extents& b) {
    return {{std::min(a.min.x, b.min.x), std::min(a.min.y, b.min.y)},
            {std::max(a.max.x, b.max.x), std::max(a.max.y, b.max.y)}};
}

}  // namespace

std::optional<Extents> extentsOf(const Drawing& drawing) {
    std::optional<Extents> extents;
    for (const Entity& entity : drawing.entities) {
        const Extents box = std::visit([](const auto& shape) { return boxOf(shape); }, entity);
        extents = extents ? unite(*extents, box) : box;
    }
    return extents;
}

}  // namespace zelanto::cad

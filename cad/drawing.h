#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zelanto::cad {

// A 2D drawing in world coordinates (x east, y north), in drawing units, as other CAD programs
// take it: layers, and entities in the order they were drawn. Texts are UTF-8.

struct WorldPoint {
    double x = 0;
    double y = 0;
};

struct Layer {
    std::string name;
    int colour = 7;  // colour number; 7 is white on a dark background, black on paper
};

struct PointEntity {
    std::string layer;
    int colour;
    WorldPoint at;
};

struct CircleEntity {
    std::string layer;
    int colour;
    WorldPoint centre;
    double radius;
};

// A line of text read left to right, horizontally, its bottom-left corner at `bottomLeft`.
struct TextEntity {
    std::string layer;
    int colour;
    WorldPoint bottomLeft;
    double height;
    std::string text;
};

using Entity = std::variant<PointEntity, CircleEntity, TextEntity>;

struct Drawing {
    std::vector<Layer> layers;
    std::vector<Entity> entities;
};

// The smallest rectangle that holds everything drawn.
struct Extents {
    WorldPoint min;
    WorldPoint max;
};

// Nothing for a drawing without entities. A text is taken as one height high and, per character,
// one height wide: wide enough for the full-width characters of Japanese names.
std::optional<Extents> extentsOf(const Drawing& drawing);

}  // namespace zelanto::cad

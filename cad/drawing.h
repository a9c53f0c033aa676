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

// The place on a text that its anchor point gives.
enum class TextAnchor {
    bottomLeft,
    middleCentre,
};

// A line of text read left to right, horizontally, placed by its anchor point `at`.
struct TextEntity {
    std::string layer;
    int colour;
    WorldPoint at;
    double height;
    std::string text;
    TextAnchor anchor = TextAnchor::bottomLeft;
};

// A closed outline through its vertices in their order, the last joined back to the first.
struct OutlineEntity {
    std::string layer;
    int colour;
    std::vector<WorldPoint> vertices;
};

using Entity = std::variant<PointEntity, CircleEntity, TextEntity, OutlineEntity>;

struct Drawing {
    std::vector<Layer> layers;
    std::vector<Entity> entities;
};

// The smallest rectangle that holds everything drawn.
struct Extents {
    WorldPoint min;
    WorldPoint max;
};

// The place a text takes when drawn `height` high: one height high and, per character, one height
// wide, wide enough for the full-width characters of Japanese names.
Extents textBox(const TextEntity& text, double height);

// Nothing for a drawing without entities. Texts take their textBox at their own height.
std::optional<Extents> extentsOf(const Drawing& drawing);

}  // namespace zelanto::cad

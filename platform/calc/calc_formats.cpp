#include "platform/calc/calc_formats.h"

#include <cmath>

#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform::calc {
namespace {

constexpr double kMm100PerPixel = 2540.0 / 96;
constexpr double kMm100PerPoint = 2540.0 / 72;
constexpr double kPixelsPerCharacter = 7;
constexpr double kColumnMarginPixels = 5;

[[noreturn]] void outOfRange(const char* what, double value) {
    throw HostError(std::string(what) + " out of range: " + std::to_string(value));
}

double requireSize(double value, const char* what) {
    if (!std::isfinite(value) || value < 0) {
        outOfRange(what, value);
    }
    return value;
}

std::int32_t calcColor(PaletteColor color) {
    return static_cast<std::int32_t>(color.rgb());
}

}  // namespace

std::int32_t columnWidthInCalc(double characters) {
    // A width of 0 hides the column, margin and all.
    if (requireSize(characters, "column width") == 0) {
        return 0;
    }
    return static_cast<std::int32_t>(
        std::lround((characters * kPixelsPerCharacter + kColumnMarginPixels) * kMm100PerPixel));
}

std::int32_t rowHeightInCalc(double points) {
    return static_cast<std::int32_t>(
        std::lround(requireSize(points, "row height") * kMm100PerPoint));
}

CellProperty horizontalAlignment(HorizontalAlignment alignment) {
    switch (alignment) {
        case HorizontalAlignment::General:
            break;
        case HorizontalAlignment::Left:
            return {"HoriJustify", HoriJustify::Left};
        case HorizontalAlignment::Centre:
            return {"HoriJustify", HoriJustify::Center};
        case HorizontalAlignment::Right:
            return {"HoriJustify", HoriJustify::Right};
    }
    return {"HoriJustify", HoriJustify::Standard};
}

CellProperty verticalAlignment(VerticalAlignment alignment) {
    // Calc's vertical justification numbers top, centre and bottom as the host does.
    return {"VertJustify", static_cast<std::int32_t>(alignment)};
}

std::vector<CellProperty> fontName(const std::string& name) {
    if (name.empty()) {
        throw HostError("font name is empty");
    }
    return {{"CharFontName", name}, {"CharFontNameAsian", name}, {"CharFontNameComplex", name}};
}

std::vector<CellProperty> fontSize(double points) {
    if (!std::isfinite(points) || points <= 0) {
        outOfRange("font size", points);
    }
    const auto height = static_cast<float>(points);
    return {{"CharHeight", height}, {"CharHeightAsian", height}, {"CharHeightComplex", height}};
}

CellProperty fontColor(PaletteColor color) {
    return {"CharColor", calcColor(color)};
}

CellProperty interiorColor(PaletteColor color) {
    return {"CellBackColor", calcColor(color)};
}

}  // namespace zelanto::platform::calc

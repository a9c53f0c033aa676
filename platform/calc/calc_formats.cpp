#include "platform/calc/calc_formats.h"

#include <cmath>

#include "platform/sheet/cell_format.h"
#include "platform/sheet/color_palette.h"
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

std::int32_t paletteRgb(int index) {
    if (!isPaletteIndex(index)) {
        throw HostError("not a colour index of the palette: " + std::to_string(index));
    }
    return static_cast<std::int32_t>(paletteColor(index));
}

}  // namespace

std::int32_t columnWidthInCalc(double characters) {
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

CellProperty horizontalAlignment(int code) {
    switch (code) {
        case kAlignGeneral:
            return {"HoriJustify", HoriJustify::Standard};
        case kAlignLeft:
            return {"HoriJustify", HoriJustify::Left};
        case kAlignCentre:
            return {"HoriJustify", HoriJustify::Center};
        case kAlignRight:
            return {"HoriJustify", HoriJustify::Right};
    }
    outOfRange("horizontal alignment", code);
}

CellProperty verticalAlignment(int code) {
    // Calc's vertical justification numbers top, centre and bottom as the host does.
    if (code < kAlignTop || code > kAlignBottom) {
        outOfRange("vertical alignment", code);
    }
    return {"VertJustify", static_cast<std::int32_t>(code)};
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

CellProperty fontColor(int index) {
    return {"CharColor", paletteRgb(index)};
}

CellProperty interiorColor(int index) {
    return {"CellBackColor", paletteRgb(index)};
}

}  // namespace zelanto::platform::calc

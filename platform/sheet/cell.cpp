#include "platform/sheet/cell.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <iterator>

#include "base/decimal_number.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::platform {
namespace {

constexpr std::array<std::uint32_t, kPaletteSize> kPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,  // 1-8
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,  // 9-16
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,  // 17-24
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,  // 25-32
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,  // 33-40
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,  // 41-48
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,  // 49-56
};

template <typename T>
void takeIfSet(std::optional<T>& property, const std::optional<T>& narrower) {
    if (narrower) {
        property = narrower;
    }
}

// The host's limit on cell texts, in characters.
constexpr std::ptrdiff_t kMaxTextLength = 32767;

}  // namespace

std::uint32_t PaletteColor::rgb() const {
    return kPalette[static_cast<std::size_t>(index_ - 1)];
}

CellFormat CellFormat::overriddenBy(const CellFormat& narrower) const {
    CellFormat result = *this;
    takeIfSet(result.horizontalAlignment, narrower.horizontalAlignment);
    takeIfSet(result.verticalAlignment, narrower.verticalAlignment);
    takeIfSet(result.fontName, narrower.fontName);
    takeIfSet(result.fontSize, narrower.fontSize);
    takeIfSet(result.fontColor, narrower.fontColor);
    takeIfSet(result.interiorColor, narrower.interiorColor);
    takeIfSet(result.numberFormat, narrower.numberFormat);
    return result;
}

std::ptrdiff_t characterCount(const std::string& utf8) {
    return std::count_if(utf8.begin(), utf8.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

void checkStorable(const CellValue& value) {
    if (value.isNumber() && !std::isfinite(value.number())) {
        throw HostError("a cell cannot hold an infinite number or NaN");
    }
    // A text has at least as many bytes as characters: only a long one needs counting.
    if (value.isText() && std::ssize(value.text()) > kMaxTextLength &&
        characterCount(value.text()) > kMaxTextLength) {
        throw HostError("a cell holds at most 32767 characters");
    }
}

CellValue storedForm(const CellValue& value, bool textFormat) {
    if (const auto number = storedNumber(value, textFormat)) {
        return *number;
    }
    return value;
}

std::optional<double> storedNumber(const CellValue& value, bool textFormat) {
    if (!value.isText() || textFormat) {
        return std::nullopt;
    }
    return base::parseDecimalNumber(value.text());
}

}  // namespace zelanto::platform

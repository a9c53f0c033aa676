#include "platform/sheet/cell_format.h"

namespace zelanto::platform {
namespace {

template <typename T>
void takeIfSet(std::optional<T>& property, const std::optional<T>& narrower) {
    if (narrower) {
        property = narrower;
    }
}

}  // namespace

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

}  // namespace zelanto::platform

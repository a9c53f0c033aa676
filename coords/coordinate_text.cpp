#include "coords/coordinate_text.h"

#include "coords/trimmed_text.h"
#include "platform/text/decimal_number.h"

namespace zelanto::coords {

std::optional<double> coordinateFromText(std::string_view text) {
    const std::string_view number = trimBlanks(text);
    if (number.empty()) {
        return 0.0;
    }
    return platform::parseDecimalNumber(number);
}

std::optional<int> decimalPlaces(std::string_view text) {
    const std::string_view number = trimBlanks(text);
    if (number.find_first_of("eE") != std::string_view::npos) {
        return std::nullopt;
    }
    const auto point = number.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(number.size() - point - 1);
}

}  // namespace zelanto::coords

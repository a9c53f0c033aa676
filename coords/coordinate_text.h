#pragma once

#include <optional>
#include <string_view>

namespace zelanto::coords {

// The number in a coordinate item: blanks around it (a quoted item keeps them) do not change it,
// and an empty item is 0. Nothing when the item is not a decimal number.
std::optional<double> coordinateFromText(std::string_view text);

// The decimal places a coordinate item is written with: 3 for "-30726.388", 0 for "12" or an
// empty item. Nothing for a number with an exponent, whose places the text does not show.
std::optional<int> decimalPlaces(std::string_view text);

}  // namespace zelanto::coords

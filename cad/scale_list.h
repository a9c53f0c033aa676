#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zelanto::cad {

// The drawing scales offered, in list order, and their denominators.
struct Scale {
    std::string_view text;
    std::int16_t denominator;
};

inline constexpr std::array<Scale, 7> kScales{{{"1/100", 100},
                                               {"1/200", 200},
                                               {"1/250", 250},
                                               {"1/300", 300},
                                               {"1/500", 500},
                                               {"1/600", 600},
                                               {"1/1000", 1000}}};

// The scale every run starts with and every unknown text falls back to.
inline constexpr Scale kDefaultScale = kScales[4];

// The denominator of a scale text, compared whole and exactly; nothing for any other text.
constexpr std::optional<std::int16_t> scaleDenominator(std::string_view text) {
    for (const Scale& scale : kScales) {
        if (scale.text == text) {
            return scale.denominator;
        }
    }
    return std::nullopt;
}

}  // namespace zelanto::cad

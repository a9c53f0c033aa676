#pragma once

#include <compare>
#include <cstdint>

namespace zelanto::platform {

// The spreadsheet's default palette of 56 colours, addressed by colour index: 1 black, 2 white,
// 3 red, 4 green, 5 blue, 6 yellow, …
constexpr int kPaletteSize = 56;

// A colour of the palette. Made from a constant index, so that an index the palette lacks fails
// to compile.
class PaletteColor {
public:
    consteval explicit PaletteColor(int index) : index_(index) {
        if (index < 1 || index > kPaletteSize) {
            throw "not a colour of the palette";
        }
    }

    constexpr int index() const { return index_; }
    // 0xRRGGBB.
    std::uint32_t rgb() const;

    auto operator<=>(const PaletteColor&) const = default;

private:
    int index_;
};

inline constexpr PaletteColor kPaletteWhite{2};
inline constexpr PaletteColor kPaletteBlue{5};
inline constexpr PaletteColor kPaletteYellow{6};

}  // namespace zelanto::platform

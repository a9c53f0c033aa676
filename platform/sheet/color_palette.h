#pragma once

#include <cstdint>

namespace zelanto::platform {

// The spreadsheet's default palette of 56 colours, addressed by colour index: 1 black, 2 white,
// 3 red, 4 green, 5 blue, 6 yellow, …
constexpr int kPaletteSize = 56;

constexpr bool isPaletteIndex(int index) {
    return index >= 1 && index <= kPaletteSize;
}

// The colour of a palette index as 0xRRGGBB; std::out_of_range outside the palette.
std::uint32_t paletteColor(int index);

}  // namespace zelanto::platform

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/calc/calc_office.h"
#include "platform/sheet/cell.h"

namespace zelanto::platform::calc {

// The host's format operations in Calc's terms. Each refuses, with a HostError, a value the host
// refuses.

// A column width in characters of the standard font as Calc's width in 1/100 mm: a character is
// 7 pixels of the standard font at 96 DPI, and a column has 5 pixels of margin.
std::int32_t columnWidthInCalc(double characters);
// A row height in points as Calc's height in 1/100 mm.
std::int32_t rowHeightInCalc(double points);

CellProperty horizontalAlignment(HorizontalAlignment alignment);
CellProperty verticalAlignment(VerticalAlignment alignment);

// The font for Western, Asian and complex text alike, so that Japanese text takes it too.
std::vector<CellProperty> fontName(const std::string& name);
std::vector<CellProperty> fontSize(double points);

CellProperty fontColor(PaletteColor color);
CellProperty interiorColor(PaletteColor color);

}  // namespace zelanto::platform::calc

#pragma once

#include <cstdio>
#include <string>

#include "platform/spreadsheet_host.h"

namespace zelanto::testing {

// A worksheet laid out as the program lays out its sheet of points, and filled with points,
// through the host interface only.

inline constexpr const char* kPointSheetName = "SIM座標データ";
inline constexpr const char* kPointSheetTitle = "SIM座標データ一覧";
inline constexpr const char* kTitleFont = "ＭＳ ゴシック";
inline constexpr const char* kPointSheetHeaders[] = {"電算No", "測点名", "X座標", "Y座標",
                                                     "標高値"};

inline void layOutPointSheet(platform::Worksheet& sheet) {
    sheet.setName(kPointSheetName);
    sheet.setColumnWidth("A:A", 9.38);
    sheet.setColumnWidth("B:B", 14.88);
    sheet.setColumnWidth("C:C", 25.13);
    sheet.setColumnWidth("D:D", 25.13);
    sheet.setColumnWidth("E:E", 11.63);
    sheet.setHorizontalAlignment("A:E", 3);
    sheet.setVerticalAlignment("A:E", 2);
    sheet.setRowHeight("1:1", 33);
    sheet.setRowHeight("2:2", 23.25);
    sheet.setFontName("A1:E1", kTitleFont);
    sheet.setFontSize("A1:E1", 20);
    sheet.setMergeCells("A1:E1", true);
    sheet.setFontColorIndex("A1:E1", 2);
    sheet.setInteriorColorIndex("A1:E1", 5);
    sheet.setInteriorColorIndex("A2:E2", 6);
    sheet.setValue(1, 1, kPointSheetTitle);
    sheet.setNumberFormatLocal("C:D", "0.0000000_ ");
    sheet.setNumberFormatLocal("E:E", "0.000_ ");
    sheet.setNumberFormatLocal("A:B", "@");
    for (int column = 1; column <= 5; ++column) {
        sheet.setValue(2, column, kPointSheetHeaders[column - 1]);
    }
}

// Writes `count` points into the rows from 3 down, each cell as the text the program writes:
// number "0001" …, name "点1" …, X, Y and elevation.
inline void writePoints(platform::Worksheet& sheet, int count) {
    for (int k = 1; k <= count; ++k) {
        char number[16];
        std::snprintf(number, sizeof number, "%04d", k);
        const int row = k + 2;
        sheet.setValue(row, 1, number);
        sheet.setValue(row, 2, "点" + std::to_string(k));
        sheet.setValue(row, 3, std::to_string(k * 1.25 - 20000.5));
        sheet.setValue(row, 4, std::to_string(-(k % 997) - 0.125));
        sheet.setValue(row, 5, std::to_string(k % 50));
    }
}

}  // namespace zelanto::testing

#pragma once

#include <cstdio>
#include <string>

#include "coords/coordinate_sheet.h"
#include "platform/sheet/spreadsheet_host.h"

namespace zelanto::testing {

// A worksheet laid out as the program lays out its sheet of points, and filled with points,
// through the host interface only. The texts below are what the checks expect to find.

inline constexpr const char* kPointSheetName = "SIM座標データ";
inline constexpr const char* kPointSheetTitle = "SIM座標データ一覧";
inline constexpr const char* kTitleFont = "ＭＳ ゴシック";
inline constexpr const char* kPointSheetHeaders[] = {"電算No", "測点名", "X座標", "Y座標",
                                                     "標高値"};

// The program's own layout, so that what the tests check is what users get.
inline void layOutPointSheet(platform::Worksheet& sheet) {
    coords::nameCoordinateSheet(sheet);
    coords::layOutCoordinateSheet(sheet);
}

// Writes `count` points into the rows from 3 down, each cell as the text the program writes:
// number "0001" …, name "点1" …, X, Y and elevation.
inline void writePoints(platform::Worksheet& sheet, int count) {
    for (int k = 1; k <= count; ++k) {
        char number[16];
        std::snprintf(number, sizeof number, "%04d", k);
        const int row = k + 2;
        sheet.setValue(platform::Row(row), platform::Column(1), number);
        sheet.setValue(platform::Row(row), platform::Column(2), "点" + std::to_string(k));
        sheet.setValue(platform::Row(row), platform::Column(3), std::to_string(k * 1.25 - 20000.5));
        sheet.setValue(platform::Row(row), platform::Column(4), std::to_string(-(k % 997) - 0.125));
        sheet.setValue(platform::Row(row), platform::Column(5), std::to_string(k % 50));
    }
}

}  // namespace zelanto::testing

#include "platform/embedded/sheet_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "platform/embedded/embedded_host.h"
#include "platform/sheet/spreadsheet_host.h"
#include "tests/platform/embedded/point_sheet.h"

namespace zelanto::platform {
namespace {

void setNumberFormat(SheetModel& sheet, const RangeAddress& range, NumberFormat format) {
    sheet.changeFormat(range, [&](CellFormat& f) { f.numberFormat = format; });
}

void setFill(SheetModel& sheet, const RangeAddress& range, PaletteColor color) {
    sheet.changeFormat(range, [&](CellFormat& f) { f.interiorColor = color; });
}

TEST(SheetModelValues, TextThatIsACompleteNumberIsStoredAsThatNumber) {
    SheetModel sheet("Sheet1");
    sheet.setValue(3, 1, "0012");
    sheet.setValue(3, 3, "12.5");
    sheet.setValue(3, 4, "-5");
    sheet.setValue(3, 5, "1.5E3");
    sheet.setValue(3, 2, "点3");
    sheet.setValue(4, 1, " 12");
    EXPECT_EQ(sheet.value(3, 1), CellValue(12.0));
    EXPECT_EQ(sheet.value(3, 3), CellValue(12.5));
    EXPECT_EQ(sheet.value(3, 4), CellValue(-5.0));
    EXPECT_EQ(sheet.value(3, 5), CellValue(1500.0));
    EXPECT_EQ(sheet.value(3, 2), CellValue("点3"));
    EXPECT_EQ(sheet.value(4, 1), CellValue(" 12"));
}

TEST(SheetModelValues, UnderTheTextFormatTextsStayTextAndNumbersNumbers) {
    SheetModel sheet("Sheet1");
    setNumberFormat(sheet, "A:B"_range, "@");
    setNumberFormat(sheet, "A5"_range, "0.000_ ");  // a cell's own format wins over its column's
    setNumberFormat(sheet, "7:7"_range, "@");       // and a row's over a column's
    sheet.setValue(3, 1, "0012");
    sheet.setValue(4, 1, 12.0);
    sheet.setValue(5, 1, "0012");
    sheet.setValue(7, 3, "0012");
    sheet.setValue(3, 3, "0012");
    EXPECT_EQ(sheet.value(3, 1), CellValue("0012"));
    EXPECT_EQ(sheet.value(4, 1), CellValue(12.0));
    EXPECT_EQ(sheet.value(5, 1), CellValue(12.0));
    EXPECT_EQ(sheet.value(7, 3), CellValue("0012"));
    EXPECT_EQ(sheet.value(3, 3), CellValue(12.0));
}

TEST(SheetModelValues, TheEmptyTextEmptiesTheCell) {
    SheetModel sheet("Sheet1");
    setNumberFormat(sheet, "A:A"_range, "@");
    EXPECT_TRUE(sheet.value(10, 10).isEmpty());
    for (int column : {1, 2}) {
        sheet.setValue(3, column, "x");
        sheet.setValue(3, column, "");
        EXPECT_TRUE(sheet.value(3, column).isEmpty());
        EXPECT_FALSE(sheet.value(3, column).isText());
    }
    sheet.setValue(50, 1, "");
    sheet.setValue(60, 1, CellValue());
    EXPECT_EQ(sheet.lastRow(), 3);  // emptying an untouched cell makes no cell
}

TEST(SheetModelValues, RefusesPlacesOffTheSheetAndValuesNoCellHolds) {
    SheetModel sheet("Sheet1");
    EXPECT_THROW(sheet.setValue(0, 1, "x"), HostError);
    EXPECT_THROW(sheet.setValue(1, kMaxColumns + 1, "x"), HostError);
    EXPECT_THROW(sheet.value(kMaxRows + 1, 1), HostError);
    EXPECT_THROW(sheet.select(1, 0), HostError);
    EXPECT_THROW(sheet.setValue(1, 1, std::nan("")), HostError);
    EXPECT_THROW(sheet.setValue(1, 1, std::numeric_limits<double>::infinity()), HostError);
    EXPECT_THROW(sheet.setValue(1, 1, std::string(32768, 'x')), HostError);
    std::string longest;
    for (int i = 0; i < 32767; ++i) {
        longest += "点";  // characters, not bytes, count
    }
    sheet.setValue(1, 1, longest);
    EXPECT_EQ(sheet.value(1, 1), CellValue(longest));
}

TEST(SheetModelFormats, CellOverridesRowOverridesColumnPropertyByProperty) {
    SheetModel sheet("Sheet1");
    sheet.changeFormat("A:E"_range, [](CellFormat& f) {
        f.horizontalAlignment = HorizontalAlignment::Centre;
        f.interiorColor = PaletteColor(6);
    });
    sheet.changeFormat("2:2"_range, [](CellFormat& f) {
        f.interiorColor = PaletteColor(5);
        f.fontSize = 11;
    });
    setFill(sheet, "B2"_range, PaletteColor(3));
    setFill(sheet, "A:E"_range,
            PaletteColor(4));  // a wider range later does not reach past narrower formats

    const auto b2 = sheet.effectiveFormat(2, 2);
    EXPECT_EQ(b2.horizontalAlignment, HorizontalAlignment::Centre);
    EXPECT_EQ(b2.fontSize, 11);
    EXPECT_EQ(b2.interiorColor, PaletteColor(3));
    EXPECT_EQ(sheet.effectiveFormat(2, 1).interiorColor, PaletteColor(5));
    EXPECT_EQ(sheet.effectiveFormat(3, 2).interiorColor, PaletteColor(4));
    EXPECT_EQ(sheet.effectiveFormat(2, 7).horizontalAlignment, std::nullopt);
    EXPECT_EQ(sheet.effectiveFormat(2, 7).interiorColor, PaletteColor(5));
    EXPECT_TRUE(sheet.effectiveFormat(3, 7).isEmpty());
}

TEST(SheetModelFormats, EachChangeKeepsTheOtherPropertiesAndWidthsAndHeightsArePerBand) {
    SheetModel sheet("Sheet1");
    sheet.changeFormat("A1:E1"_range, [](CellFormat& f) { f.fontName = "Gothic"; });
    sheet.changeFormat("A1:E1"_range, [](CellFormat& f) { f.fontSize = 20; });
    sheet.setColumnWidth("C:D"_range, 25.13);
    sheet.setRowHeight("1:2"_range, 33);
    EXPECT_EQ(sheet.cellFormat(1, 5).fontName, "Gothic");
    EXPECT_EQ(sheet.cellFormat(1, 5).fontSize, 20);
    EXPECT_TRUE(sheet.cellFormat(2, 1).isEmpty());
    EXPECT_EQ(sheet.columnWidth(3), 25.13);
    EXPECT_EQ(sheet.columnWidth(4), 25.13);
    EXPECT_EQ(sheet.columnWidth(5), std::nullopt);
    EXPECT_EQ(sheet.rowHeight(2), 33);
    EXPECT_EQ(sheet.rowHeight(3), std::nullopt);
    EXPECT_EQ(sheet.lastRow(), 2);
    EXPECT_EQ(sheet.lastFormattedColumn(), 4);
}

TEST(SheetModelMerges, MergingReplacesWhatItOverlapsAndUnmergingSplits) {
    SheetModel sheet("Sheet1");
    sheet.setMerged("A1:E1"_range, true);
    sheet.setMerged("D2"_range, true);
    EXPECT_EQ(sheet.mergedBlocks(), std::vector{"A1:E1"_range});
    sheet.setMerged("A5:B6"_range, true);
    sheet.setMerged("E1:F2"_range, true);
    EXPECT_EQ(sheet.mergedBlocks(), (std::vector{"A5:B6"_range, "E1:F2"_range}));
    sheet.setMerged("B6"_range, false);
    EXPECT_EQ(sheet.mergedBlocks(), std::vector{"E1:F2"_range});
}

TEST(SheetModelName, RefusesTheNamesTheHostRefuses) {
    SheetModel sheet("Sheet1");
    const std::string longest = "座標座標座標座標座標座標座標座標座標座標座標座標座標座標座標座";
    sheet.setName(longest);  // 31 characters, though many more bytes
    EXPECT_EQ(sheet.name(), longest);
    for (const std::string& name :
         {std::string(), longest + "x", std::string("a[b"), std::string("a]b"), std::string("a:b"),
          std::string("a*b"), std::string("a?b"), std::string("a/b"), std::string("a\\b"),
          std::string("'ab"), std::string("ab'")}) {
        EXPECT_THROW(sheet.setName(name), HostError) << name;
    }
    EXPECT_EQ(sheet.name(), longest);
    EXPECT_THROW(SheetModel(""), HostError);
}

// What row `row` of the column below holds: texts of every length, numbers and empty cells in turn.
CellValue mixedValue(int row) {
    switch (row % 4) {
        case 0:
            return std::string(static_cast<std::size_t>(row % 300), 'a' + row % 26) + "点";
        case 1:
            return row * 0.5 - 1000;
        case 2:
            return std::string("名\0前", sizeof "名\0前" - 1) +
                   std::to_string(row);  // a NUL inside
    }
    return {};
}

TEST(SheetModelCells, TextsAndNumbersInTurnReadBackAcrossThousandsOfRows) {
    SheetModel sheet("Sheet1");
    for (int row = 1; row <= 4999; ++row) {
        sheet.setValue(row, 2, mixedValue(row));
    }
    for (int row = 1; row <= 4999; ++row) {
        ASSERT_EQ(sheet.value(row, 2), mixedValue(row)) << row;
    }
    EXPECT_EQ(sheet.lastRow(), 4998);  // the empty values touched nothing
    EXPECT_TRUE(sheet.value(5000, 2).isEmpty());
    EXPECT_TRUE(sheet.value(1, 1).isEmpty());
}

TEST(SheetModelCells, OverwritingACellChangesItAloneAndRewritingKeepsTheSheetSmall) {
    SheetModel sheet("Sheet1");
    for (int row = 1; row <= 2000; ++row) {
        sheet.setValue(row, 1, "点" + std::to_string(row));
    }
    const std::vector<CellValue> rewrites = {std::string(500, 'x'), "短", 12.5, CellValue(),
                                             std::string(40, 'y')};
    for (int round = 0; round < 10000; ++round) {
        const CellValue& value = rewrites[round % rewrites.size()];
        sheet.setValue(1000, 1, value);
        ASSERT_EQ(sheet.value(1000, 1), value) << round;
    }
    for (int row = 1; row <= 2000; ++row) {
        if (row != 1000) {
            ASSERT_EQ(sheet.value(row, 1), CellValue("点" + std::to_string(row))) << row;
        }
    }
    // Two thousand short texts and one of 40 bytes, not ten thousand texts of every length.
    EXPECT_LE(sheet.memoryBytes(), 200'000u);
}

TEST(SheetModelCells, ACellsOwnFormatFarDownRulesItsValuesAloneAndOutlivesThem) {
    SheetModel sheet("Sheet1");
    setNumberFormat(sheet, "B3000"_range, "@");
    setFill(sheet, "D4000"_range, PaletteColor(6));
    for (int row : {2999, 3000, 3001}) {
        sheet.setValue(row, 2, "0012");
    }
    EXPECT_EQ(sheet.value(2999, 2), CellValue(12.0));
    EXPECT_EQ(sheet.value(3000, 2), CellValue("0012"));
    EXPECT_EQ(sheet.value(3001, 2), CellValue(12.0));
    sheet.setValue(3000, 2, "");
    EXPECT_TRUE(sheet.value(3000, 2).isEmpty());
    EXPECT_EQ(sheet.cellFormat(3000, 2).numberFormat, kTextNumberFormat);
    EXPECT_TRUE(sheet.cellFormat(3001, 2).isEmpty());
    EXPECT_EQ(sheet.lastRow(), 4000);  // a format touches its cell as a value does
    EXPECT_EQ(sheet.cells().rowLength(4000), 4);
}

TEST(SheetModelCells, ACellFarBelowAndRightCostsLittleAndMakesTheLastRow) {
    SheetModel sheet("Sheet1");
    sheet.setValue(3, 1, "0012");
    sheet.setValue(kMaxRows, kMaxColumns, "最後");
    EXPECT_EQ(sheet.value(kMaxRows, kMaxColumns), CellValue("最後"));
    EXPECT_EQ(sheet.value(3, 1), CellValue(12.0));
    EXPECT_TRUE(sheet.value(kMaxRows - 1, kMaxColumns).isEmpty());
    EXPECT_TRUE(sheet.value(kMaxRows, kMaxColumns - 1).isEmpty());
    EXPECT_EQ(sheet.lastRow(), kMaxRows);
    EXPECT_EQ(sheet.cells().rowLength(kMaxRows), kMaxColumns);
    EXPECT_EQ(sheet.cells().rowLength(4), 0);
    EXPECT_LE(sheet.memoryBytes(), 4'000'000u);
}

TEST(SheetModelMemory, FiftyThousandPointRowsTakeAtMostTwentyMegabytes) {
    EmbeddedWorksheet sheet("Sheet1");
    testing::layOutPointSheet(sheet);
    testing::writePoints(sheet, 50000);
    ASSERT_EQ(sheet.model().value(50002, 2), CellValue("点50000"));
    EXPECT_LE(sheet.model().memoryBytes(), 20'000'000u);
}

}  // namespace
}  // namespace zelanto::platform

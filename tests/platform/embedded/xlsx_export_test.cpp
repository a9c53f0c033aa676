#include "platform/embedded/xlsx_export.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "base/atomic_file.h"
#include "platform/embedded/embedded_host.h"
#include "tests/platform/embedded/point_sheet.h"
#include "tests/platform/embedded/xlsx_reader.h"
#include "tests/temp_folder.h"

namespace zelanto::platform {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using testing::TempFolder;
using testing::XlsxCell;
using testing::XlsxFile;
using testing::XlsxStyle;

XlsxCell text(const std::string& value) {
    return {"string", value};
}
XlsxCell number(const std::string& value) {
    return {"number", value};
}

// The width a <col> element shows, in characters of the standard font: the file stores it with
// the cell padding, rounded to whole pixels of a 7-pixel digit.
double shownCharacters(const std::string& column) {
    return (std::floor(std::stod(testing::xmlAttribute(column, "width")) * 7 + 0.5) - 5) / 7;
}

void expectCentred(const XlsxStyle& style) {
    EXPECT_THAT(style.alignment, HasSubstr("horizontal=\"center\""));
    EXPECT_THAT(style.alignment, HasSubstr("vertical=\"center\""));
}

void expectSolidFill(const XlsxStyle& style, const std::string& argb) {
    EXPECT_THAT(style.fill, HasSubstr("patternType=\"solid\""));
    EXPECT_THAT(style.fill, HasSubstr("<fgColor rgb=\"" + argb + "\"/>"));
}

class PointSheetExport : public ::testing::Test {
protected:
    void SetUp() override {
        testing::layOutPointSheet(sheet_);
        writeRow(3, {"0012", "点3", "12.5", "-5", "3"});
        writeRow(4, {"007", "", "-0.25", "1e3", "0"});
        sheet_.select(platform::Row(3), platform::Column(2));
        writeXlsx(sheet_.model(), path_);
    }

    void writeRow(int row, const std::vector<std::string>& values) {
        for (int column = 1; column <= 5; ++column) {
            sheet_.setValue(platform::Row(row), platform::Column(column), values[column - 1]);
        }
    }

    TempFolder folder_;
    const std::filesystem::path path_ = folder_ / "points.xlsx";
    EmbeddedWorksheet sheet_{"Sheet1"};
};

TEST_F(PointSheetExport, KeepsTextsAsStringsAndNumbersAsNumbers) {
    const XlsxFile file(path_);
    EXPECT_THAT(testing::unzipPart(path_, "xl/workbook.xml"),
                HasSubstr("<sheet name=\"" + std::string(testing::kPointSheetName) + "\""));
    EXPECT_EQ(file.cell("A1"), text(testing::kPointSheetTitle));
    for (int column = 1; column <= 5; ++column) {
        const std::string reference = std::string(1, static_cast<char>('A' + column - 1)) + "2";
        EXPECT_EQ(file.cell(reference), text(testing::kPointSheetHeaders[column - 1]));
    }
    EXPECT_EQ(file.cell("A3"), text("0012"));
    EXPECT_EQ(file.cell("B3"), text("点3"));
    EXPECT_EQ(file.cell("C3"), number("12.5"));
    EXPECT_EQ(file.cell("D3"), number("-5"));
    EXPECT_EQ(file.cell("E3"), number("3"));
    EXPECT_EQ(file.cell("A4"), text("007"));
    EXPECT_EQ(file.cellElement("B4"), "");
    EXPECT_EQ(file.cell("D4"), number("1000"));
    EXPECT_EQ(file.rowElement(5), "");
}

TEST_F(PointSheetExport, KeepsWidthsHeightsMergeAndActiveCell) {
    const XlsxFile file(path_);
    const double widths[] = {9.38, 14.88, 25.13, 25.13, 11.63};
    for (int column = 1; column <= 5; ++column) {
        EXPECT_NEAR(shownCharacters(file.columnElement(column)), widths[column - 1], 1.0 / 14)
            << column;
    }
    EXPECT_EQ(file.columnElement(6), "");
    EXPECT_EQ(testing::xmlAttribute(file.rowElement(1), "ht"), "33");
    EXPECT_EQ(testing::xmlAttribute(file.rowElement(2), "ht"), "23.25");
    EXPECT_EQ(testing::xmlAttribute(file.rowElement(3), "ht"), "");
    EXPECT_THAT(file.sheetXml(), HasSubstr("<mergeCells count=\"1\"><mergeCell ref=\"A1:E1\"/>"));
    EXPECT_THAT(file.sheetXml(), HasSubstr("<selection activeCell=\"B3\" sqref=\"B3\"/>"));
}

TEST_F(PointSheetExport, KeepsFontsFillsAlignmentAndNumberFormats) {
    const XlsxFile file(path_);
    for (const char* reference : {"A1", "B1", "E1"}) {  // B1 and E1 are empty but formatted
        const auto title = file.cellStyle(reference);
        EXPECT_THAT(title.font,
                    HasSubstr("<name val=\"" + std::string(testing::kTitleFont) + "\"/>"));
        EXPECT_THAT(title.font, HasSubstr("<sz val=\"20\"/>"));
        EXPECT_THAT(title.font, HasSubstr("<color rgb=\"FFFFFFFF\"/>"));
        expectSolidFill(title, "FF0000FF");
        expectCentred(title);
    }
    expectSolidFill(file.cellStyle("C2"), "FFFFFF00");
    EXPECT_EQ(file.cellStyle("C2").numberFormat, "0.0000000_ ");

    const auto x = file.cellStyle("C3");
    EXPECT_EQ(x.numberFormat, "0.0000000_ ");
    EXPECT_THAT(x.fill, HasSubstr("patternType=\"none\""));
    EXPECT_THAT(x.font, Not(HasSubstr("<sz val=\"20\"/>")));
    expectCentred(x);
    EXPECT_EQ(file.cellStyle("A3").numberFormat, "@");
    EXPECT_EQ(file.cellStyle("B3").numberFormat, "@");
    EXPECT_EQ(file.cellStyle("E3").numberFormat, "0.000_ ");

    // Cells not yet written take the format of their column.
    EXPECT_EQ(file.columnStyle(1).numberFormat, "@");
    EXPECT_EQ(file.columnStyle(4).numberFormat, "0.0000000_ ");
    EXPECT_EQ(file.columnStyle(5).numberFormat, "0.000_ ");
    expectCentred(file.columnStyle(2));
}

TEST(XlsxExport, WhereARowFormatCrossesAColumnFormatTheCellCarriesBoth) {
    TempFolder folder;
    SheetModel sheet("Sheet1");
    sheet.changeFormat("B:B"_range, [](CellFormat& f) { f.interiorColor = PaletteColor(4); });
    sheet.changeFormat("3:3"_range, [](CellFormat& f) {
        f.fontColor = PaletteColor(1);
        f.horizontalAlignment = HorizontalAlignment::Right;
    });
    writeXlsx(sheet, folder / "crossing.xlsx");

    const XlsxFile file(folder / "crossing.xlsx");
    EXPECT_EQ(testing::xmlAttribute(file.rowElement(3), "customFormat"), "1");
    EXPECT_THAT(file.rowStyle(3).font, HasSubstr("<color rgb=\"FF000000\"/>"));
    const auto crossing = file.cellStyle("B3");
    expectSolidFill(crossing, "FF00FF00");
    EXPECT_THAT(crossing.font, HasSubstr("<color rgb=\"FF000000\"/>"));
    EXPECT_THAT(crossing.alignment, HasSubstr("horizontal=\"right\""));
    EXPECT_EQ(file.cellElement("A3"), "");  // the row's format covers it
    expectSolidFill(file.columnStyle(2), "FF00FF00");
}

TEST(XlsxExport, CellsThousandsOfRowsDownKeepTheirTextsAndNumbers) {
    TempFolder folder;
    SheetModel sheet("Sheet1");
    for (int row = 1; row <= 2100; ++row) {
        sheet.setValue(row, 1, "点" + std::to_string(row));
        sheet.setValue(row, 2, row * 0.25);
    }
    sheet.setValue(1500, 1, "");
    writeXlsx(sheet, folder / "long.xlsx");

    const XlsxFile file(folder / "long.xlsx");
    const std::pair<int, const char*> rows[] = {{1, "0.25"},   {1024, "256"},    {1025, "256.25"},
                                                {2048, "512"}, {2049, "512.25"}, {2100, "525"}};
    for (const auto& [row, x] : rows) {
        EXPECT_EQ(file.cell("A" + std::to_string(row)), text("点" + std::to_string(row)));
        EXPECT_EQ(file.cell("B" + std::to_string(row)), number(x));
    }
    EXPECT_EQ(file.cellElement("A1500"), "");
}

TEST(XlsxExport, ReplacesTheTargetOnlyWithACompleteFile) {
    TempFolder folder;
    const auto target = folder / "points.xlsx";
    testing::writeBytes(target, "old");
    writeXlsx(SheetModel("Sheet1"), target);
    EXPECT_EQ(testing::readBytes(target).substr(0, 2), "PK");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

    EXPECT_THROW(writeXlsx(SheetModel("Sheet1"), folder / "missing" / "points.xlsx"),
                 base::FileError);
}

TEST(XlsxExport, NewFilesNeverReplaceOldOnes) {
    TempFolder folder;
    testing::writeBytes(folder / "Sheet1.xlsx", "mine");
    EXPECT_EQ(writeNewXlsx(SheetModel("Sheet1"), folder.path()), folder / "Sheet1 (2).xlsx");
    EXPECT_EQ(writeNewXlsx(SheetModel("Sheet1"), folder.path()), folder / "Sheet1 (3).xlsx");
    EXPECT_EQ(testing::readBytes(folder / "Sheet1.xlsx"), "mine");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3);
}

}  // namespace
}  // namespace zelanto::platform

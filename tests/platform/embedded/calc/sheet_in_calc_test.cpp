// The coordinate sheet as the user sees it in LibreOffice Calc. zelanto-cli writes the sheets of an
// import and of a merge as .xlsx files; one soffice run converts both to CSV with every cell as
// displayed, a second one converts the import to flat ODS, which holds what Calc made of the
// widths, heights, merge, fonts, fills and alignment. Each run has its own LibreOffice profile.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "tests/platform/embedded/point_sheet.h"
#include "tests/platform/embedded/xlsx_reader.h"
#include "tests/temp_folder.h"

namespace zelanto::calc {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::xmlAttribute;
using testing::xmlElement;
using testing::xmlElements;

namespace fs = std::filesystem;

// Displayed cell texts, as Calc writes them with "save cell contents as shown".
constexpr const char* kDisplayedCsv =
    "csv:Text - txt - csv (StarCalc):44,34,76,1,,1041,false,false,true";

std::string quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

void run(const std::string& command) {
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    if (status != 0) {
        throw std::runtime_error("failed (" + std::to_string(status) + "): " + command);
    }
}

using CsvRow = std::vector<std::string>;

// RFC 4180 records: fields split at commas, "…" quoting with "" for a quote inside.
std::vector<CsvRow> parseCsv(const std::string& text) {
    std::vector<CsvRow> rows;
    CsvRow row;
    std::string field;
    bool quoting = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoting) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoting = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoting = true;
        } else if (c == ',') {
            row.push_back(field);
            field.clear();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            row.push_back(field);
            rows.push_back(row);
            row.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.empty() || !row.empty()) {
        row.push_back(field);
        rows.push_back(row);
    }
    return rows;
}

// What Calc made of the sheet, read from its flat ODS file.
class CalcModel {
public:
    explicit CalcModel(std::string xml) : xml_(std::move(xml)) {
        table_ = xmlElement(xml_, "table:table");
        for (const auto& column : xmlElements(table_, "table:table-column")) {
            const std::string repeated = xmlAttribute(column, "table:number-columns-repeated");
            const int count = repeated.empty() ? 1 : std::min(std::stoi(repeated), 16);
            for (int i = 0; i < count; ++i) {
                columns_.push_back(column);
            }
        }
        rows_ = xmlElements(table_, "table:table-row");
    }

    const std::string& table() const { return table_; }

    // The <style:style> element of that name; empty when there is none.
    std::string style(const std::string& name) const {
        for (const auto& element : xmlElements(xml_, "style:style")) {
            if (xmlAttribute(element, "style:name") == name) {
                return element;
            }
        }
        return {};
    }

    // Width of a column (from 1) in inches.
    double columnWidth(int column) const {
        const auto properties =
            xmlElement(style(xmlAttribute(columns_.at(column - 1), "table:style-name")),
                       "style:table-column-properties");
        return inches(xmlAttribute(properties, "style:column-width"));
    }

    // Height of a row (from 1) in points.
    double rowHeight(int row) const {
        const auto properties =
            xmlElement(style(xmlAttribute(rows_.at(row - 1), "table:style-name")),
                       "style:table-row-properties");
        return inches(xmlAttribute(properties, "style:row-height")) * 72;
    }

    // The first cell element of a row (from 1).
    std::string firstCell(int row) const {
        return xmlElement(rows_.at(row - 1), "table:table-cell");
    }

    // The style of a cell: its own or, when it has none, its column's default cell style. Cells
    // that a merge covers count as cells of their own.
    std::string cellStyle(int row, int column) const {
        const auto cells = startTags(rows_.at(row - 1));
        std::string name;
        if (column <= static_cast<int>(cells.size())) {
            name = xmlAttribute(cells[column - 1], "table:style-name");
        }
        if (name.empty()) {
            name = xmlAttribute(columns_.at(column - 1), "table:default-cell-style-name");
        }
        return style(name);
    }

private:
    static double inches(const std::string& length) {
        if (length.size() < 3 || length.substr(length.size() - 2) != "in") {
            throw std::runtime_error("not a length in inches: " + length);
        }
        return std::stod(length.substr(0, length.size() - 2));
    }

    // The start tags of a row's cells, covered ones included, one per column.
    static std::vector<std::string> startTags(const std::string& row) {
        static const std::regex cell("<table:(covered-)?table-cell[ />][^>]*>");
        std::vector<std::string> tags;
        for (std::sregex_iterator it(row.begin(), row.end(), cell), end; it != end; ++it) {
            const std::string tag = it->str();
            const std::string repeated = xmlAttribute(tag, "table:number-columns-repeated");
            const int count = repeated.empty() ? 1 : std::min(std::stoi(repeated), 16);
            tags.insert(tags.end(), static_cast<std::size_t>(count), tag);
        }
        return tags;
    }

    std::string xml_;
    std::string table_;
    std::vector<std::string> columns_;
    std::vector<std::string> rows_;
};

class SheetInCalc : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<testing::TempFolder>();
        const fs::path import = *folder_ / "import.xlsx";
        const fs::path merge = *folder_ / "merge.xlsx";
        run(quoted(ZELANTO_CLI) + " import " + quoted(ZELANTO_CALC_FIXTURE) + " --xlsx " +
            quoted(import));
        run(quoted(ZELANTO_CLI) + " merge " + quoted(ZELANTO_CALC_FIXTURE) + " --out " +
            quoted(*folder_ / "merged.sim") + " --xlsx " + quoted(merge));

        const std::string soffice = "timeout --kill-after=10 120 " + quoted(ZELANTO_SOFFICE) +
                                    " --headless --norestore -env:UserInstallation=file://" +
                                    (*folder_ / "profile").string();
        const fs::path out = *folder_ / "out";
        run(soffice + " --convert-to " + quoted(kDisplayedCsv) + " --outdir " + quoted(out) + " " +
            quoted(import) + " " + quoted(merge));
        run(soffice + " --convert-to fods --outdir " + quoted(out) + " " + quoted(import));

        importRows_ = parseCsv(testing::readBytes(out / "import.csv"));
        mergeRows_ = parseCsv(testing::readBytes(out / "merge.csv"));
        model_ = std::make_unique<CalcModel>(testing::readBytes(out / "import.fods"));
    }

    static void TearDownTestSuite() {
        model_.reset();
        folder_.reset();
    }

    static std::unique_ptr<testing::TempFolder> folder_;
    static std::vector<CsvRow> importRows_;
    static std::vector<CsvRow> mergeRows_;
    static std::unique_ptr<CalcModel> model_;
};

std::unique_ptr<testing::TempFolder> SheetInCalc::folder_;
std::vector<CsvRow> SheetInCalc::importRows_;
std::vector<CsvRow> SheetInCalc::mergeRows_;
std::unique_ptr<CalcModel> SheetInCalc::model_;

TEST_F(SheetInCalc, ShowsTheTitleAndTheHeaders) {
    ASSERT_GE(importRows_.size(), 2u);
    EXPECT_THAT(importRows_[0], ElementsAre(testing::kPointSheetTitle, "", "", "", ""));
    const auto* headers = testing::kPointSheetHeaders;
    EXPECT_THAT(importRows_[1],
                ElementsAre(headers[0], headers[1], headers[2], headers[3], headers[4]));
}

TEST_F(SheetInCalc, ShowsEveryPointRowAsDisplayed) {
    ASSERT_EQ(importRows_.size(), 6u);  // nothing below the last point
    // Numbers keep their zeros, names their Japanese and their comma; coordinates show seven
    // decimals and elevations three, each followed by the blank that "_ " makes room for.
    EXPECT_THAT(importRows_[2],
                ElementsAre("0012", "境界杭１", "12.5000000 ", "-105.2500000 ", "3.000 "));
    EXPECT_THAT(importRows_[3],
                ElementsAre("0013", "杭,北", "-36.1250000 ", "0.5000000 ", "12.346 "));
    EXPECT_THAT(importRows_[4],
                ElementsAre("007", "ＢＭ３", "123456.7890000 ", "-98765.4321000 ", "-1.500 "));
    EXPECT_THAT(importRows_[5], ElementsAre("100", "", "1000.0000000 ", "0.0000000 ", "0.000 "));
}

TEST_F(SheetInCalc, ShowsTheNumbersAMergeGivesInColumnA) {
    ASSERT_EQ(mergeRows_.size(), 6u);
    EXPECT_EQ(mergeRows_[0], importRows_[0]);
    EXPECT_EQ(mergeRows_[1], importRows_[1]);
    for (int point = 1; point <= 4; ++point) {
        const CsvRow& row = mergeRows_[point + 1];
        ASSERT_EQ(row.size(), 5u);
        EXPECT_EQ(row[0], std::to_string(point));
        EXPECT_EQ(CsvRow(row.begin() + 1, row.end()),
                  CsvRow(importRows_[point + 1].begin() + 1, importRows_[point + 1].end()));
    }
}

TEST_F(SheetInCalc, NamesTheSheet) {
    EXPECT_EQ(xmlAttribute(model_->table(), "table:name"), testing::kPointSheetName);
}

TEST_F(SheetInCalc, MergesTheTitleAcrossTheFiveColumns) {
    const auto title = model_->firstCell(1);
    EXPECT_EQ(xmlAttribute(title, "table:number-columns-spanned"), "5");
    EXPECT_THAT(title, HasSubstr(testing::kPointSheetTitle));
}

TEST_F(SheetInCalc, KeepsTheRowHeights) {
    EXPECT_NEAR(model_->rowHeight(1), 33, 0.05);
    EXPECT_NEAR(model_->rowHeight(2), 23.25, 0.05);
}

TEST_F(SheetInCalc, KeepsTheColumnWidthsInProportion) {
    // Calc sizes a column as its width in characters (with the file's padding of 5 pixels of a
    // 7-pixel digit) times the digit width of the standard font it has.
    const double characters[] = {9.38, 14.88, 25.13, 25.13, 11.63};
    const double digit = model_->columnWidth(1) / (characters[0] + 5.0 / 7);
    for (int column = 2; column <= 5; ++column) {
        EXPECT_NEAR(model_->columnWidth(column) / (characters[column - 1] + 5.0 / 7), digit,
                    digit * 0.01)
            << column;
    }
    EXPECT_GT(model_->columnWidth(1), 0.5);  // inches; 9.38 characters are never less
}

TEST_F(SheetInCalc, ShowsTheTitleWhiteAndLargeOnBlue) {
    for (int column = 1; column <= 5; ++column) {
        const auto style = model_->cellStyle(1, column);
        EXPECT_THAT(style, HasSubstr("fo:background-color=\"#0000ff\"")) << column;
    }
    const auto title = model_->cellStyle(1, 1);
    EXPECT_THAT(title, HasSubstr("style:font-name=\"" + std::string(testing::kTitleFont) + "\""));
    EXPECT_THAT(title, HasSubstr("fo:font-size=\"20pt\""));
    EXPECT_THAT(title, HasSubstr("fo:color=\"#ffffff\""));
}

TEST_F(SheetInCalc, ShowsTheHeadersOnYellow) {
    for (int column = 1; column <= 5; ++column) {
        EXPECT_THAT(model_->cellStyle(2, column), HasSubstr("fo:background-color=\"#ffff00\""))
            << column;
    }
}

TEST_F(SheetInCalc, CentresEveryCellBothWays) {
    for (int row = 1; row <= 6; ++row) {
        for (int column = 1; column <= 5; ++column) {
            const auto style = model_->cellStyle(row, column);
            EXPECT_THAT(style, HasSubstr("fo:text-align=\"center\"")) << row << "," << column;
            EXPECT_THAT(style, HasSubstr("style:vertical-align=\"middle\""))
                << row << "," << column;
        }
    }
    // The data rows keep the standard font: no fill, no title font.
    EXPECT_THAT(model_->cellStyle(3, 3), ::testing::Not(HasSubstr("fo:background-color")));
    EXPECT_THAT(model_->cellStyle(3, 3), ::testing::Not(HasSubstr("20pt")));
}

}  // namespace
}  // namespace zelanto::calc

// The host in Calc's terms, against a double of the UNO layer: what reaches Calc, and in how many
// transfers, with the embedded host as the measure of what one call per cell gives; and the
// worksheet's write buffer, read cache and text format map on their own.
#include "platform/calc/calc_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "cad/plot.h"
#include "coords/coordinate_sheet.h"
#include "platform/embedded/embedded_host.h"
#include "tests/coords/sim_builder.h"
#include "tests/platform/calc/fake_calc.h"
#include "tests/platform/calc/import_sim.h"
#include "tests/platform/embedded/point_sheet.h"
#include "tests/platform/sheet/failing_host.h"
#include "tests/temp_folder.h"

namespace zelanto::testing {
namespace {

using namespace platform::literals;
using platform::HostError;
using platform::calc::CalcHost;
using platform::calc::CalcWorksheet;
using platform::calc::CellBlock;
using platform::calc::HoriJustify;
using platform::calc::ReadCache;
using platform::calc::TextFormatMap;
using platform::calc::WriteBuffer;

// The same calls on the Calc host, over the double, and on the embedded host.
struct BothHosts {
    std::shared_ptr<FakeCalcOffice> office = std::make_shared<FakeCalcOffice>();
    CalcHost calc{[this] { return office; }};
    platform::EmbeddedHost embedded;
    coords::SheetReferences calcSheet = coords::createCoordinateSheet(calc);
    coords::SheetReferences embeddedSheet = coords::createCoordinateSheet(embedded);

    FakeCalcSheet& inCalc() { return *office->documents.at(0)->sheet; }
    const platform::SheetModel& inEmbedded() {
        return embedded.applications().at(0)->workbooks().at(0)->sheet();
    }
    // Runs `work` on both worksheets; both must fail alike or not at all.
    template <typename Work>
    void run(Work work) {
        bool calcFailed = false;
        bool embeddedFailed = false;
        try {
            work(*calcSheet.worksheet);
        } catch (const std::exception&) {
            calcFailed = true;
        }
        try {
            work(*embeddedSheet.worksheet);
        } catch (const std::exception&) {
            embeddedFailed = true;
        }
        EXPECT_EQ(calcFailed, embeddedFailed);
    }
    // Once the Calc worksheet has gone, as when the window drops its references, Calc holds
    // what the embedded host holds in rows 1 to `lastRow`, columns A to G.
    void expectSameCellsAfterRelease(int lastRow) {
        calcSheet.release();
        for (int row = 1; row <= lastRow; ++row) {
            for (int column = 1; column <= 7; ++column) {
                EXPECT_EQ(inCalc().cell(row, column), inEmbedded().value(row, column))
                    << "row " << row << ", column " << column;
            }
        }
    }
};

TEST(CalcWorksheet, LaysOutTheCoordinateSheetInCalcsOwnTerms) {
    BothHosts hosts;
    const FakeCalcSheet& sheet = hosts.inCalc();

    EXPECT_EQ(sheet.name, "SIM座標データ");
    // 1/100 mm: 7 pixels a character and 5 of margin at 96 DPI; points at 72 to the inch.
    EXPECT_EQ(sheet.widths,
              (std::map<std::string, std::int32_t>{
                  {"A:A", 1870}, {"B:B", 2888}, {"C:C", 4787}, {"D:D", 4787}, {"E:E", 2286}}));
    EXPECT_EQ(sheet.heights, (std::map<std::string, std::int32_t>{{"1:1", 1164}, {"2:2", 820}}));
    const std::string font = "ＭＳ ゴシック";
    EXPECT_EQ(
        sheet.properties,
        (std::vector<std::pair<std::string, std::vector<CellProperty>>>{
            {"A:E", {{"HoriJustify", HoriJustify::Center}}},
            {"A:E", {{"VertJustify", 2}}},
            {"A1:E1",
             {{"CharFontName", font}, {"CharFontNameAsian", font}, {"CharFontNameComplex", font}}},
            {"A1:E1",
             {{"CharHeight", 20.0f}, {"CharHeightAsian", 20.0f}, {"CharHeightComplex", 20.0f}}},
            {"A1:E1", {{"CharColor", 0xFFFFFF}}},
            {"A1:E1", {{"CellBackColor", 0x0000FF}}},
            {"A2:E2", {{"CellBackColor", 0xFFFF00}}},
            {"C:D", {{"NumberFormat", sheet.formatKeys.at("0.0000000_ ")}}},
            {"E:E", {{"NumberFormat", sheet.formatKeys.at("0.000_ ")}}},
            {"A:B", {{"NumberFormat", sheet.formatKeys.at("@")}}},
        }));
    EXPECT_EQ(sheet.merged, std::vector<std::string>{"A1:E1"});
    hosts.expectSameCellsAfterRelease(3);
}

TEST(CalcWorksheet, PointsGoInAsOneBlockHoldingWhatOneWritePerCellWould) {
    BothHosts hosts;
    hosts.run([](platform::Worksheet& sheet) { importSim(simWithPoints(1000), sheet); });
    hosts.calcSheet.application->setVisible(true);

    // The headers of row 2 and the points below them are one table.
    EXPECT_EQ(hosts.inCalc().calls("setDataArray"),
              (std::vector<std::string>{"setDataArray A1:A1", "setDataArray A2:E1002"}));
    const auto& log = hosts.inCalc().log;
    EXPECT_EQ(std::vector<std::string>(log.end() - 2, log.end()),
              (std::vector<std::string>{"setDataArray A2:E1002", "show"}));
    hosts.expectSameCellsAfterRelease(1003);
}

TEST(CalcWorksheet, AFailedReadOfTheFileLeavesInCalcWhatOneWritePerCellWould) {
    BothHosts hosts;
    std::string sim = simWithPoints(4, false) + "A01,5,P5,5.5,abc,5,\r\nA99,\r\n";
    hosts.run([&](platform::Worksheet& sheet) { importSim(sim, sheet); });

    // Row 7 holds the fifth point's number, name and X, in a block of its own.
    EXPECT_EQ(hosts.calcSheet.worksheet->value(platform::Row(7), platform::Column(3)),
              platform::CellValue(5.5));
    EXPECT_EQ(hosts.inCalc().calls("setDataArray"),
              (std::vector<std::string>{"setDataArray A1:A1", "setDataArray A2:E6",
                                        "setDataArray A7:C7"}));
    hosts.expectSameCellsAfterRelease(8);
}

TEST(CalcWorksheet, TextStaysTextOnlyUnderTheTextFormatAsTheEmbeddedHostKeepsIt) {
    BothHosts hosts;
    hosts.run([](platform::Worksheet& sheet) {
        sheet.setValue(platform::Row(3), platform::Column(1), "007");   // "@": text
        sheet.setValue(platform::Row(3), platform::Column(2), "1e3");   // "@": text
        sheet.setValue(platform::Row(3), platform::Column(3), "12.5");  // "0.0000000_ ": the number
        sheet.setValue(platform::Row(3), platform::Column(4), "abc");   // stays text anywhere
        sheet.setValue(platform::Row(3), platform::Column(5), "");      // empties the cell
        sheet.setValue(platform::Row(3), platform::Column(6), "-2");    // no format: the number
        sheet.setValue(platform::Row(3), platform::Column(7), 7.0);     // a number stays a number
        sheet.setNumberFormat("A4:B4"_range, "0.00");
        sheet.setValue(platform::Row(4), platform::Column(1),
                       "007");  // the format set last counts: the number 7
        sheet.setNumberFormat("C4"_range, "@");
        sheet.setValue(platform::Row(4), platform::Column(3), "12.5");  // text
    });
    EXPECT_EQ(hosts.inCalc().cell(4, 1), platform::CellValue(7.0));
    hosts.expectSameCellsAfterRelease(5);
}

TEST(CalcWorksheet, APlotReadsWhatOneReadPerCellWouldAndSeesEveryWriteBeforeIt) {
    BothHosts hosts;
    TempFolder folder;
    hosts.run([&](platform::Worksheet& sheet) {
        importSim(simWithPoints(300), sheet);
        sheet.setValue(platform::Row(4), platform::Column(2), "edited");
        sheet.setValue(platform::Row(4), platform::Column(3), "1.25");
    });
    const auto calcScript = folder / "calc.scr";
    const auto embeddedScript = folder / "embedded.scr";
    cad::Plot(*hosts.calcSheet.worksheet, 500).writeScript(calcScript);
    cad::Plot(*hosts.embeddedSheet.worksheet, 500).writeScript(embeddedScript);

    EXPECT_EQ(readBytes(calcScript), readBytes(embeddedScript));
    EXPECT_NE(readBytes(calcScript).find("point 2.5,"), std::string::npos);
    hosts.run([](platform::Worksheet& sheet) {
        sheet.setValue(platform::Row(5), platform::Column(2), "after");
        EXPECT_EQ(sheet.value(platform::Row(5), platform::Column(2)), platform::CellValue("after"));
    });
}

TEST(CalcWorksheet, AScanDownReadsEverLongerBlocks) {
    auto sheet = std::make_shared<FakeCalcSheet>();
    const auto now = std::chrono::steady_clock::now();
    CalcWorksheet worksheet(sheet, [now] { return now; });
    layOutPointSheet(worksheet);
    writePoints(worksheet, 10001);
    TempFolder folder;
    cad::Plot(worksheet, 500).writeScript(folder / "orvik.scr");

    // The three passes of the plot over 10,001 points: 64, 128, … rows at a time, 8192 at most.
    EXPECT_EQ(sheet->calls("dataArray"),
              (std::vector<std::string>{"dataArray A3:E66", "dataArray A67:E194",
                                        "dataArray A195:E450", "dataArray A451:E962",
                                        "dataArray A963:E1986", "dataArray A1987:E4034",
                                        "dataArray A4035:E8130", "dataArray A8131:E16322"}));
    // The points went in with the headers, 8192 rows at most at a time, before the first read.
    EXPECT_EQ(sheet->calls("setDataArray"),
              (std::vector<std::string>{"setDataArray A1:A1", "setDataArray A2:E8193",
                                        "setDataArray A8194:E10003"}));
    EXPECT_EQ(sheet->log.at(sheet->log.size() - 9), "setDataArray A8194:E10003");
}

TEST(CalcWorksheet, ABlockIsServedOnlyForAShortWhile) {
    auto sheet = std::make_shared<FakeCalcSheet>();
    auto now = std::chrono::steady_clock::time_point();
    CalcWorksheet worksheet(sheet, [&now] { return now; });
    sheet->cells[{3, 1}] = "before";
    EXPECT_EQ(worksheet.value(platform::Row(3), platform::Column(1)),
              platform::CellValue("before"));

    // The user changes the cell in Calc.
    sheet->cells[{3, 1}] = "after";
    now += std::chrono::milliseconds(900);
    EXPECT_EQ(worksheet.value(platform::Row(3), platform::Column(1)),
              platform::CellValue("before"));
    now += std::chrono::milliseconds(200);
    EXPECT_EQ(worksheet.value(platform::Row(3), platform::Column(1)), platform::CellValue("after"));
    EXPECT_EQ(sheet->calls("dataArray"),
              (std::vector<std::string>{"dataArray A3:E66", "dataArray A3:E66"}));
}

TEST(CalcWorksheet, AFailureIsReportedOnlyOnceTheWritesBeforeItAreInCalc) {
    auto sheet = std::make_shared<FakeCalcSheet>();
    CalcWorksheet worksheet(sheet);
    const auto writeAndFail = [&](int row, auto fail) {
        worksheet.setValue(platform::Row(row), platform::Column(1), "written");
        EXPECT_THROW(fail(), HostError);
        EXPECT_EQ(sheet->cell(row, 1), platform::CellValue("written")) << row;
    };
    writeAndFail(1, [&] { worksheet.setValue(platform::Row(0), platform::Column(1), "x"); });
    writeAndFail(2, [&] {
        worksheet.setValue(platform::Row(2), platform::Column(2),
                           std::numeric_limits<double>::infinity());
    });
    writeAndFail(3, [&] { worksheet.value(platform::Row(1), platform::Column(16385)); });
    writeAndFail(4, [&] { worksheet.setFontSize("A1"_range, 0); });
    writeAndFail(5, [&] { worksheet.setFontName("A1"_range, ""); });
    writeAndFail(6, [&] { worksheet.setColumnWidth("A:A"_range, -1); });
    writeAndFail(7, [&] { worksheet.setRowHeight("1:1"_range, std::nan("")); });
    writeAndFail(8, [&] { worksheet.select(platform::Row(0), platform::Column(0)); });
    EXPECT_TRUE(sheet->calls("setProperties").empty());
}

TEST(CalcWorksheet, ACallCalcFailsIsAHostErrorAndTheWorksheetStillGoesQuietly) {
    auto sheet = std::make_shared<FakeCalcSheet>();
    sheet->beforeCall = [](const std::string& call) {
        if (call.rfind("setDataArray", 0) == 0) {
            throw HostError("the document was closed");
        }
    };
    auto worksheet = std::make_unique<CalcWorksheet>(sheet);
    worksheet->setValue(platform::Row(3), platform::Column(1), "lost");
    EXPECT_THROW(worksheet->value(platform::Row(3), platform::Column(1)), HostError);
    worksheet->setValue(platform::Row(3), platform::Column(1), "lost again");
    EXPECT_NO_THROW(worksheet.reset());
    EXPECT_TRUE(sheet->cells.empty());
}

// The blocks as "address: values", the values joined by blanks.
std::vector<std::string> describe(const std::vector<CellBlock>& blocks) {
    std::vector<std::string> texts;
    for (const auto& block : blocks) {
        std::string text = addressText(block.range) + ":";
        for (const auto& value : block.values) {
            text += " " + (value.isNumber() ? std::to_string(static_cast<int>(value.number()))
                                            : value.text());
        }
        texts.push_back(text);
    }
    return texts;
}

TEST(WriteBuffer, GathersATableRowByRowAndKeepsABegunRowApart) {
    WriteBuffer buffer;
    for (int row = 3; row <= 4; ++row) {
        for (int column = 2; column <= 4; ++column) {
            ASSERT_TRUE(buffer.accepts(row, column));
            buffer.add(row, column, static_cast<double>(row * 10 + column));
        }
    }
    buffer.add(5, 2, "x");
    buffer.add(5, 3, "y");

    // Within a row only the next cell, and only up to the first row's width; a new row only
    // in the first column and once the row before it is complete.
    EXPECT_FALSE(buffer.accepts(5, 5));
    EXPECT_FALSE(buffer.accepts(6, 2));
    EXPECT_FALSE(buffer.accepts(5, 3));
    EXPECT_TRUE(buffer.accepts(5, 4));
    EXPECT_EQ(describe(buffer.take()),
              (std::vector<std::string>{"B3:D4: 32 33 34 42 43 44", "B5:C5: x y"}));
    EXPECT_TRUE(buffer.empty());
    EXPECT_TRUE(buffer.accepts(1, 1));
}

TEST(WriteBuffer, TakesNothingButWhatWasAddedAndGrowsNoFirstRowBackwards) {
    WriteBuffer buffer;
    EXPECT_TRUE(buffer.take().empty());
    buffer.add(2, 3, "a");
    EXPECT_FALSE(buffer.accepts(2, 2));
    EXPECT_FALSE(buffer.accepts(2, 3));
    EXPECT_FALSE(buffer.accepts(3, 4));
    EXPECT_TRUE(buffer.accepts(3, 3));
    EXPECT_EQ(describe(buffer.take()), std::vector<std::string>{"C2:C2: a"});
}

TEST(WriteBuffer, IsFullAtItsRowLimitOnlyOnceTheLastRowIsComplete) {
    WriteBuffer buffer;
    for (int row = 1; row <= WriteBuffer::kMaxBlockRows; ++row) {
        buffer.add(row, 1, "a");
        EXPECT_FALSE(buffer.full()) << row;
        buffer.add(row, 2, "b");
    }
    EXPECT_TRUE(buffer.full());
}

// Stores the block that the cache asks for at (row, column), every cell holding its row number.
std::string readAt(ReadCache& cache, int row, int column) {
    const RangeAddress block = cache.blockFor(row, column);
    std::vector<CellValue> values;
    for (int r = block.firstRow; r <= block.lastRow; ++r) {
        for (int c = block.firstColumn; c <= block.lastColumn; ++c) {
            values.emplace_back(static_cast<double>(r));
        }
    }
    cache.store({block, values});
    return addressText(block);
}

TEST(ReadCache, AScanDownGetsTwiceTheRowsEachTimeUpToTheLimit) {
    auto now = std::chrono::steady_clock::time_point();
    ReadCache cache([&now] { return now; });
    EXPECT_EQ(readAt(cache, 3, 2), "A3:E66");
    EXPECT_EQ(cache.find(66, 5), CellValue(66.0));
    EXPECT_EQ(cache.find(67, 1), std::nullopt);
    EXPECT_EQ(readAt(cache, 67, 1), "A67:E194");
    EXPECT_EQ(cache.find(3, 1), CellValue(3.0));
    int row = 195;
    for (int rows = 256; rows < ReadCache::kMaxBlockRows; rows *= 2) {
        readAt(cache, row, 1);
        row += rows;
    }
    EXPECT_EQ(readAt(cache, row, 1), "A8131:E16322");
    EXPECT_EQ(readAt(cache, 16323, 1), "A16323:E24514");
    // Anywhere else starts small again, and a wider column widens the block.
    EXPECT_EQ(readAt(cache, 1, 7), "A1:G64");
    EXPECT_EQ(cache.find(3, 7), CellValue(3.0));
    EXPECT_EQ(readAt(cache, 1048570, 1), "A1048570:E1048576");
}

TEST(ReadCache, ServesABlockForOneSecondAndForgetsItOnClear) {
    auto now = std::chrono::steady_clock::time_point();
    ReadCache cache([&now] { return now; });
    readAt(cache, 3, 1);
    now += std::chrono::milliseconds(1000);
    EXPECT_EQ(cache.find(3, 1), CellValue(3.0));
    now += std::chrono::milliseconds(1);
    EXPECT_EQ(cache.find(3, 1), std::nullopt);

    readAt(cache, 3, 1);
    cache.clear();
    EXPECT_EQ(cache.find(3, 1), std::nullopt);
}

TEST(TextFormatMap, TheFormatSetLastOnACellCounts) {
    TextFormatMap formats;
    EXPECT_FALSE(formats.isText(3, 1));
    formats.set("A:B"_range, "@");
    formats.set("C:D"_range, "0.00");
    EXPECT_TRUE(formats.isText(1048576, 2));
    EXPECT_FALSE(formats.isText(3, 3));

    formats.set("B3:C3"_range, "0.000_ ");
    formats.set("2:2"_range, "@");
    EXPECT_FALSE(formats.isText(3, 2));
    EXPECT_TRUE(formats.isText(4, 2));
    EXPECT_TRUE(formats.isText(2, 3));
    EXPECT_TRUE(formats.isText(2, 16384));
    formats.set("A:E"_range, "General");
    EXPECT_FALSE(formats.isText(2, 1));
    EXPECT_TRUE(formats.isText(2, 6));
}

TEST(CalcHost, EachApplicationTakesANewDocumentAndALostConnectionIsMadeAgain) {
    auto office = std::make_shared<FakeCalcOffice>();
    int connections = 0;
    CalcHost host([&] {
        ++connections;
        return office;
    });
    auto first = host.createApplication();
    EXPECT_EQ(first->windowTitle(), "Microsoft Excel");
    auto workbook = first->addWorkbook();
    auto sheet = workbook->worksheet("Sheet1");
    EXPECT_EQ(first->windowTitle(), "Untitled 1");
    sheet->setName("SIM座標データ");
    EXPECT_EQ(workbook->worksheet("SIM座標データ"), sheet);
    EXPECT_THROW(workbook->worksheet("Sheet1"), HostError);

    auto second = host.createApplication();
    second->addWorkbook();
    EXPECT_EQ(second->windowTitle(), "Untitled 2");
    EXPECT_EQ(connections, 1);

    office->isConnected = false;
    host.createApplication();
    EXPECT_EQ(connections, 2);
    EXPECT_EQ(office->documents.size(), 2u);
}

TEST(CalcHost, TheTestsFailureSwitchWrapsItAsItWrapsTheEmbeddedHost) {
    auto office = std::make_shared<FakeCalcOffice>();
    CalcHost calc([&] { return office; });
    FailingHost host(calc);
    // The application, the workbook, "Sheet1", then the name: the name never reaches Calc.
    host.failOnCall(4);
    EXPECT_THROW(coords::createCoordinateSheet(host), HostError);
    EXPECT_EQ(office->documents.at(0)->sheet->name, "Sheet1");
    EXPECT_TRUE(office->documents.at(0)->sheet->log.empty());

    host.failOnCall(host.calls() + 12);  // the height of row 1
    EXPECT_THROW(coords::createCoordinateSheet(host), HostError);
    const FakeCalcSheet& second = *office->documents.at(1)->sheet;
    EXPECT_EQ(second.name, "SIM座標データ");
    EXPECT_EQ(second.widths.size(), 5u);
    EXPECT_TRUE(second.calls("setRowHeight").empty());
}

}  // namespace
}  // namespace zelanto::testing

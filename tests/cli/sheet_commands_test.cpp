#include <gtest/gtest.h>
#include <sstream>

#include "cli/cli_arguments.h"
#include "cli/commands.h"
#include "tests/cad/png_picture.h"
#include "tests/coords/sim_builder.h"
#include "tests/platform/embedded/xlsx_reader.h"
#include "tests/temp_folder.h"

namespace zelanto::cli {
namespace {

using testing::readBytes;
using testing::writeBytes;

TEST(CliArguments, ReadsBothCommands) {
    const auto import = std::get<ImportArguments>(
        parseArguments({"import", "a.sim", "--scale", "1/250", "--script", "o.scr"}));
    EXPECT_EQ(import.file, "a.sim");
    EXPECT_EQ(import.denominator, 250);
    EXPECT_EQ(import.script, std::filesystem::path("o.scr"));
    EXPECT_FALSE(import.xlsx);
    EXPECT_FALSE(import.dxf);
    EXPECT_EQ(std::get<ImportArguments>(parseArguments({"import", "a.sim", "--dxf", "o.dxf"})).dxf,
              std::filesystem::path("o.dxf"));
    EXPECT_EQ(std::get<ImportArguments>(parseArguments({"import", "a.sim"})).denominator, 500);

    const auto merge = std::get<MergeArguments>(
        parseArguments({"merge", "a.sim", "b.sim", "--out", "o.sim", "--xlsx", "o.xlsx"}));
    EXPECT_EQ(merge.files.size(), 2u);
    EXPECT_EQ(merge.out, "o.sim");
    EXPECT_TRUE(std::holds_alternative<HelpRequest>(parseArguments({"--help"})));
    EXPECT_TRUE(std::holds_alternative<HelpRequest>(parseArguments({"merge", "--help"})));
}

TEST(CliArguments, RefusesWhatIsNoCommand) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {},
             {"plot"},
             {"import"},
             {"import", "a.sim", "b.sim"},
             {"import", "a.sim", "--scale", "1/400"},
             {"import", "a.sim", "--scale"},
             {"import", "a.sim", "--bogus"},
             {"import", "a.sim", "--dxf"},
             {"import", "a.sim", "--dxf", "a.dxf", "--dxf", "b.dxf"},
             {"merge", "a.sim"},
             {"merge", "--out", "o.sim"},
             {"merge", "a", "b", "c", "d", "--out", "o.sim"},
         }) {
        EXPECT_THROW(parseArguments(arguments), UsageError);
    }
}

class CliCommandTest : public ::testing::Test {
protected:
    std::filesystem::path sim(const std::string& name, const std::string& bytes) {
        writeBytes(folder_ / name, bytes);
        return folder_ / name;
    }
    int import(const ImportArguments& arguments) { return runImport(arguments, out_, err_); }
    int merge(const MergeArguments& arguments) { return runMerge(arguments, out_, err_); }

    testing::TempFolder folder_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CliCommandTest, ImportWritesTheScriptAtTheChosenScale) {
    const auto script = folder_ / "orvik.scr";
    ImportArguments arguments{sim("a.sim", "A01,1,A1,100,200,5,\r\nA99,\r\n"), 250, script, {}, {}};
    EXPECT_EQ(import(arguments), kSuccess);
    EXPECT_NE(readBytes(script).find("\r\npoint 400,800\r\n"), std::string::npos);
}

TEST_F(CliCommandTest, ImportWritesTheDrawingAloneOrBesideTheScript) {
    const auto file = sim("a.sim", "A01,1,A1,100,200,5,\r\nA99,\r\n");
    const auto drawing = folder_ / "orvik.dxf";
    ASSERT_EQ(import({file, 500, {}, {}, drawing}), kSuccess);
    EXPECT_NE(readBytes(drawing).find("AC1015"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "orvik.scr"));

    EXPECT_EQ(
        import({sim("b.sim", "A01,,,100,200,5,\r\nA99,\r\n"), 500, {}, {}, folder_ / "b.dxf"}),
        kNoPlottableData);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "b.dxf"));
}

// The parcel layer's name in code page 932, as the drawing's texts are.
const std::string kParcelLayerBytes = "\x89\xe6\x92\x6e";  // 画地

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST_F(CliCommandTest, ImportDrawsTheFilesParcelsAndWarnsOfThoseThatDoNotRead) {
    const std::string points = "A01,1,P1,0,0,,\nA01,2,P2,0,10,,\nA01,3,P3,10,10,,\nA99,\n";
    const auto drawing = folder_ / "orvik.dxf";
    ASSERT_EQ(import({sim("a.sim", points + "D00,1,north,1,\nB01,1,P1,\nB01,2,P2,\nB01,3,P3,\n"
                                            "D99,\nD00,2,lost,1,\nB01,9,P9,\nB01,1,P1,\n"
                                            "B01,2,P2,\nD99,\n"),
                      500,
                      {},
                      {},
                      drawing}),
              kSuccess);
    const std::string dxf = readBytes(drawing);
    EXPECT_EQ(occurrences(dxf, "\nLWPOLYLINE\n"), 1u);
    EXPECT_NE(dxf.find("\nnorth\n"), std::string::npos);
    EXPECT_NE(err_.str().find("a.sim:11: 画地 2「lost」の構成点"), std::string::npos) << err_.str();

    // A file without parcels draws what it always drew: no parcel layer.
    ASSERT_EQ(import({sim("b.sim", points), 500, {}, {}, drawing}), kSuccess);
    EXPECT_EQ(readBytes(drawing).find(kParcelLayerBytes), std::string::npos);
}

// A boundary survey as instruments export it: names padded to ten bytes, eight of the forty points
// unnamed (the first among them), whose name items are blanks only.
TEST_F(CliCommandTest, ImportPlotsUnnamedPointsWithoutNameTexts) {
    const auto script = folder_ / "orvik.scr";
    const auto drawing = folder_ / "orvik.dxf";
    ASSERT_EQ(import({std::filesystem::path(ZELANTO_FIXTURES) / "boundary_unnamed.sim",
                      500,
                      script,
                      {},
                      drawing}),
              kSuccess);
    const std::string lines = readBytes(script);
    EXPECT_EQ(occurrences(lines, "\r\npoint "), 40u);
    EXPECT_EQ(occurrences(lines, "\r\ncircle "), 40u);
    EXPECT_EQ(occurrences(lines, "\r\ntext j bl "), 32u);
    EXPECT_EQ(occurrences(lines, " 1.5 90 \r\n"), 0u);
    EXPECT_NE(lines.find("\r\npoint -60361.522,84480.48\r\npoint -60446.76,84409.516\r\n"),
              std::string::npos);
    const std::string dxf = readBytes(drawing);
    EXPECT_EQ(occurrences(dxf, "\nPOINT\n"), 40u);
    EXPECT_EQ(occurrences(dxf, "\nTEXT\n"), 32u);
}

TEST_F(CliCommandTest, ImportDrawsTheParcelsOfACadastralExportWithEdgeRecords) {
    // Each corner followed by its "C03" edge: the drawing does not check edges, and the import is
    // as quiet as for any file.
    const auto drawing = folder_ / "orvik.dxf";
    ASSERT_EQ(import({ZELANTO_FIXTURES "/parcels_c03.sim", 500, {}, {}, drawing}), kSuccess);
    EXPECT_EQ(err_.str(), "");
    const std::string dxf = readBytes(drawing);
    EXPECT_EQ(occurrences(dxf, "\nLWPOLYLINE\n"), 3u);
    EXPECT_NE(dxf.find("\n\x96\xec\x93\x63\x91\xe6\x82\x53\n"), std::string::npos);  // 野田第４
}

TEST_F(CliCommandTest, ImportReadFailureNamesFileLineAndItemAndWritesNothing) {
    std::string bytes = testing::simWithPoints(4);
    bytes.replace(bytes.find("-3.25"), 5, "x1");
    const auto script = folder_ / "orvik.scr";
    EXPECT_EQ(import({sim("bad.sim", bytes), 500, script, folder_ / "s.xlsx", {}}), kReadFailure);
    EXPECT_FALSE(std::filesystem::exists(script));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "s.xlsx"));
    const std::string message = err_.str();
    EXPECT_NE(message.find("bad.sim:5: 3 点目のY座標「x1」は数値ではありません"), std::string::npos)
        << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
}

TEST_F(CliCommandTest, ImportWithoutPlottableDataExitsThree) {
    const auto script = folder_ / "orvik.scr";
    EXPECT_EQ(import({sim("a.sim", "A01,,,100,200,5,\r\nA99,\r\n"), 500, script, {}, {}}),
              kNoPlottableData);
    EXPECT_NE(err_.str().find("プロット可能なデータがありません"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(script));
}

TEST_F(CliCommandTest, FileNamesMustEndInSimOrSIM) {
    EXPECT_EQ(import({sim("a.Sim", testing::simWithPoints(1)), 500, {}, {}, {}}), kReadFailure);
    EXPECT_EQ(import({sim("aSIM", testing::simWithPoints(1)), 500, {}, {}, {}}), kSuccess);
    EXPECT_EQ(merge({{folder_ / "missing.sim"}, folder_ / "o.sim", {}}), kReadFailure);
    EXPECT_NE(err_.str().find("a.Sim: SIM ファイルではありません"), std::string::npos);
    EXPECT_NE(err_.str().find("missing.sim: ファイルが見つかりません\n"), std::string::npos);
}

TEST_F(CliCommandTest, MergeRenumbersAcrossFiles) {
    const auto out = folder_ / "orvik.sim";
    EXPECT_EQ(
        merge({{sim("a.sim", testing::simWithPoints(2)), sim("b.SIM", testing::simWithPoints(1))},
               out,
               {}}),
        kSuccess);
    const std::string bytes = readBytes(out);
    EXPECT_NE(bytes.find("A00,\r\nA01,1,P1,1.5,-1.25,1,\r\nA01,2,P2,2.5,-2.25,2,\r\n"
                         "A01,3,P1,1.5,-1.25,1,\r\nA99,\r\n"),
              std::string::npos);
}

TEST_F(CliCommandTest, MergeFailureInTheSecondFileWritesNothing) {
    const auto out = folder_ / "orvik.sim";
    EXPECT_EQ(merge({{sim("a.sim", testing::simWithPoints(2)),
                      sim("b.sim", testing::simWithPoints(2, false))},
                     out,
                     {}}),
              kReadFailure);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_NE(err_.str().find("b.sim:"), std::string::npos);
}

TEST_F(CliCommandTest, UnwritableOutputIsAWriteFailure) {
    EXPECT_EQ(merge({{sim("a.sim", testing::simWithPoints(1))}, folder_ / "no" / "o.sim", {}}),
              kWriteFailure);
}

// Names typed on instruments or edited in another code page: bytes that are no code page 932 text,
// and a duplicate that code page 932 would write with other bytes.
const std::string kStrayName = "\x81\x20\xFD\xA0K";
const std::string kNecName = "\x87\x90";

TEST_F(CliCommandTest, MergeAndPlotWriteNamesThatAreNoCodePage932TextByteForByte) {
    const auto file = sim(
        "a.sim", "A01,1," + kStrayName + ",1,2,3,\r\nA01,2," + kNecName + ",4,5,6,\r\nA99,\r\n");
    const auto out = folder_ / "orvik.sim";
    const auto xlsx = folder_ / "sheet.xlsx";
    ASSERT_EQ(merge({{file}, out, xlsx}), kSuccess);
    EXPECT_NE(readBytes(out).find("A00,\r\nA01,1," + kStrayName + ",1,2,3,\r\nA01,2," + kNecName +
                                  ",4,5,6,\r\nA99,\r\n"),
              std::string::npos);
    // The sheet shows each stray byte as a character of its own, not as an empty cell.
    EXPECT_EQ(testing::XlsxFile(xlsx).cell("B3").value, "\xEE\xBE\x81 \xEE\xBF\xBD\xEE\xBE\xA0K");

    const auto script = folder_ / "orvik.scr";
    ASSERT_EQ(import({file, 500, script, {}, {}}), kSuccess);
    const std::string drawn = readBytes(script);
    EXPECT_NE(drawn.find(" 1.5 90 " + kStrayName + "\r\n"), std::string::npos);
    EXPECT_NE(drawn.find(" 1.5 90 " + kNecName + "\r\n"), std::string::npos);
}

TEST_F(CliCommandTest, Utf8FilesAreMergedAndPlottedInCodePage932) {
    const std::string points = "A01,1,点名,1,2,3,\nA01,2,〜１,4,5,6,\nA99,\n";
    const auto out = folder_ / "orvik.sim";
    ASSERT_EQ(merge({{sim("a.sim", points), sim("b.sim", "\xEF\xBB\xBF" + points)}, out, {}}),
              kSuccess);
    EXPECT_NE(readBytes(out).find("A01,1,\x93\x5F\x96\xBC,1,2,3,\r\nA01,2,\x81\x60\x82\x50,4,5,6,"
                                  "\r\nA01,3,\x93\x5F\x96\xBC,1,2,3,\r\n"),
              std::string::npos);

    const auto script = folder_ / "orvik.scr";
    ASSERT_EQ(import({sim("c.sim", points), 500, script, {}, {}}), kSuccess);
    EXPECT_NE(readBytes(script).find(" 1.5 90 \x93\x5F\x96\xBC\r\n"), std::string::npos);
}

// "ﾎｼ" (CE BC) and "ﾅｶ" (C5 B6) are also two-byte UTF-8 ("μ", "Ŷ"): the file is code page 932.
TEST_F(CliCommandTest, HalfWidthKanaNamesAreMergedAndPlottedByteForByte) {
    const std::string points = "A01,1,\xCE\xBC,1,2,3,\r\nA01,2,\xC5\xB6,4,5,6,\r\nA99,\r\n";
    const auto file = sim("kana.sim", points);
    const auto out = folder_ / "orvik.sim";
    ASSERT_EQ(merge({{file}, out, {}}), kSuccess);
    EXPECT_NE(readBytes(out).find("A00,\r\n" + points), std::string::npos);

    const auto script = folder_ / "orvik.scr";
    ASSERT_EQ(import({file, 500, script, {}, {}}), kSuccess);
    const std::string drawn = readBytes(script);
    EXPECT_NE(drawn.find(" 1.5 90 \xCE\xBC\r\n"), std::string::npos);
    EXPECT_NE(drawn.find(" 1.5 90 \xC5\xB6\r\n"), std::string::npos);
}

TEST_F(CliCommandTest, AUtf8NameWithoutACodePage932FormEndsTheMergeAndWritesNothing) {
    const auto out = folder_ / "orvik.sim";
    EXPECT_EQ(merge({{sim("a.sim", testing::simWithPoints(2)),
                      sim("b.sim", "A01,1,点,1,2,3,\nA01,2,\xF0\xA0\xAE\xB7野,4,5,6,\nA99,\n")},
                     out,
                     {}}),
              kReadFailure);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_NE(err_.str().find(
                  "b.sim:2: 2 点目の測点名「\xF0\xA0\xAE\xB7野」の文字「\xF0\xA0\xAE\xB7」は"),
              std::string::npos)
        << err_.str();
}

using testing::Ink;
using testing::readBytes;
using testing::writeBytes;

TEST(PreviewArguments, ReadsThePictureItsSizeScaleAndTheThumbnail) {
    const auto sized = std::get<PreviewArguments>(parseArguments(
        {"preview", "--size", "640x480", "a.sim", "--scale", "1/250", "--png", "a.png"}));
    EXPECT_EQ(sized.file, "a.sim");
    EXPECT_EQ(sized.png, "a.png");
    EXPECT_EQ(sized.width, 640);
    EXPECT_EQ(sized.height, 480);
    EXPECT_EQ(sized.denominator, 250);
    EXPECT_TRUE(sized.names);
    // As a file manager's thumbnailer entry gives it: %i --png %o --thumbnail %s.
    const auto thumbnail = std::get<PreviewArguments>(
        parseArguments({"preview", "/in/a.sim", "--png", "/out/t.png", "--thumbnail", "128"}));
    EXPECT_EQ(thumbnail.width, 128);
    EXPECT_EQ(thumbnail.height, 128);
    EXPECT_FALSE(thumbnail.names);

    EXPECT_THROW(parseArguments({"preview", "a.sim"}), UsageError) << "no picture named";
    for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
             {"--size", "640"},
             {"--size", "15x480"},
             {"--size", "640x8193"},
             {"--scale", "1/400"},
             {"--thumbnail", "128", "--size", "64x64"},
             {"--thumbnail", "128", "--scale", "1/500"},
         }) {
        std::vector<std::string> arguments{"preview", "a.sim", "--png", "a.png"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        EXPECT_THROW(parseArguments(arguments), UsageError) << arguments.back();
    }
}

class PreviewCommandTest : public ::testing::Test {
protected:
    std::filesystem::path sim(const std::string& name, const std::string& bytes) {
        writeBytes(folder_ / name, bytes);
        return folder_ / name;
    }
    int preview(const std::filesystem::path& file, int width = 1024, int height = 768) {
        return runPreview({file, png_, width, height, 500, true}, out_, err_);
    }

    testing::TempFolder folder_;
    std::filesystem::path png_ = folder_ / "preview.png";
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(PreviewCommandTest, PictureOfARealFileHoldsItsPointsNamesAndParcel) {
    ASSERT_EQ(preview(std::filesystem::path(ZELANTO_FIXTURES) / "parcels_padded.sim", 640, 480),
              kSuccess)
        << err_.str();
    EXPECT_EQ(out_.str(), png_.string() + ": 40 点と 1 画地を描きました\n");
    EXPECT_EQ(err_.str(), "");
    const testing::PngPicture shown(png_);
    ASSERT_TRUE(shown.read());
    EXPECT_EQ(shown.width(), 640);
    EXPECT_EQ(shown.height(), 480);
    EXPECT_GT(shown.count(Ink::blue), 40 * 20) << "40 points with their circles";
    EXPECT_GT(shown.count(Ink::green), 500) << "the ten-corner parcel";
    EXPECT_GT(shown.count(Ink::dark), 1000) << "the names and the scale bar";
}

TEST_F(PreviewCommandTest, EveryPointIsDrawnBeyondThoseThePlotTakes) {
    ASSERT_EQ(preview(sim("many.sim", testing::simWithPoints(10005))), kSuccess) << err_.str();
    EXPECT_EQ(out_.str(), png_.string() + ": 10005 点を描きました\n");
}

TEST_F(PreviewCommandTest, FileThatDoesNotReadGivesNoPictureAndLeavesTheOldOne) {
    writeBytes(png_, "the picture of before");
    EXPECT_EQ(preview(sim("bad.sim", testing::simWithBadY(3, 2, "1..5"))), kReadFailure);
    EXPECT_NE(err_.str().find("bad.sim:4: 2 点目のY座標「1..5」は数値ではありません"),
              std::string::npos)
        << err_.str();
    EXPECT_EQ(preview(sim("points.txt", testing::simWithPoints(3))), kReadFailure);
    EXPECT_EQ(readBytes(png_), "the picture of before");
    EXPECT_EQ(out_.str(), "");

    std::filesystem::remove(png_);
    EXPECT_EQ(preview(sim("unnamed.sim", "A01,,,100,200,5,\r\nA99,\r\n")), kNoPlottableData);
    EXPECT_NE(err_.str().find("プロット可能なデータがありません"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(png_));
}

}  // namespace

}  // namespace zelanto::cli

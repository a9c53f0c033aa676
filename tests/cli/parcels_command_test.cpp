#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cli_arguments.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/table_lines.h"
#include "tests/temp_folder.h"

namespace zelanto::cli {
namespace {

using testing::readBytes;
using testing::writeBytes;

// The unit square and a right triangle with legs 4 and 3, the second name holding a comma.
const std::string kTwoParcels =
    "A01,1,P1,0,0,0,\r\nA01,2,P2,0,1,0,\r\nA01,3,P3,1,1,0,\r\nA01,4,P4,1,0,0,\r\n"
    "A01,5,P5,4,0,0,\r\nA01,6,P6,0,3,0,\r\nA99,\r\n"
    "D00,  1,正方形,1,\r\nB01,1,,\r\nB01,2,,\r\nB01,3,,\r\nB01,4,,\r\nD99,\r\n"
    "D00,2,\"tri,angle\",1,\r\nB01,1,,\r\nB01,5,,\r\nB01,6,,\r\nD99,\r\n";

TEST(ParcelsArguments, ReadsTheFileAndItsOptions) {
    const auto parcels = std::get<ParcelsArguments>(
        parseArguments({"parcels", "a.sim", "--detail", "--csv", "o.csv"}));
    EXPECT_EQ(parcels.file, "a.sim");
    EXPECT_TRUE(parcels.detail);
    EXPECT_EQ(parcels.csv, std::filesystem::path("o.csv"));
    const auto plain = std::get<ParcelsArguments>(parseArguments({"parcels", "a.sim"}));
    EXPECT_FALSE(plain.detail);
    EXPECT_FALSE(plain.csv);
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"parcels"},
             {"parcels", "a.sim", "b.sim"},
             {"parcels", "a.sim", "--csv"},
             {"parcels", "a.sim", "--csv", "a", "--csv", "b"},
             {"parcels", "a.sim", "--scale", "1/500"},
         }) {
        EXPECT_THROW(parseArguments(arguments), UsageError);
    }
    EXPECT_NE(usageText().find("zelanto-cli parcels FILE.sim [--csv OUT.csv] [--detail]"),
              std::string::npos);
}

TEST(TableLines, TabsAndCsvKeepEveryRowOneLineOfTheSameColumns) {
    EXPECT_EQ(tabLine({"1", "a\tb", "c\r\nd", ""}), "1\ta b\tc  d\t");
    EXPECT_EQ(csvLine({"1", "tri,angle", "say \"x\"", "two\r\nlines", ""}),
              "1,\"tri,angle\",\"say \"\"x\"\"\",\"two\r\nlines\",");
}

class ParcelsCommandTest : public ::testing::Test {
protected:
    std::filesystem::path sim(const std::string& name, const std::string& bytes) {
        writeBytes(folder_ / name, bytes);
        return folder_ / name;
    }
    int parcels(const ParcelsArguments& arguments) { return runParcels(arguments, out_, err_); }

    testing::TempFolder folder_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(ParcelsCommandTest, PrintsOneTabSeparatedLinePerParcel) {
    EXPECT_EQ(parcels({sim("a.sim", kTwoParcels), {}, false}), kSuccess);
    EXPECT_EQ(out_.str(),
              "番号\t名称\t点数\t面積\t周長\n"
              "1\t正方形\t4\t1\t4\n"
              "2\ttri,angle\t3\t6\t12\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(ParcelsCommandTest, TheSampleParcelWithPaddedNumbers) {
    EXPECT_EQ(parcels({ZELANTO_FIXTURES "/parcels_padded.sim", {}, false}), kSuccess);
    EXPECT_EQ(out_.str(),
              "番号\t名称\t点数\t面積\t周長\n"
              "1\tplygon\t10\t271230.150059\t2030.52073921924\n");
}

TEST_F(ParcelsCommandTest, DetailAddsTheAreaTableOfEachParcel) {
    EXPECT_EQ(parcels({sim("a.sim", kTwoParcels), {}, true}), kSuccess);
    // Square: Yn+1 − Yn−1 = 1, 1, −1, −1; products 0, 0, −1, −1. Triangle (0,0) (4,0) (0,3):
    // −3, 3, 0; products 0, 12, 0.
    EXPECT_EQ(out_.str(),
              "番号\t名称\t点数\t面積\t周長\n"
              "1\t正方形\t4\t1\t4\n"
              "\t電算No\t測点名\tX座標\tY座標\tYn+1−Yn−1\tXn×(Yn+1−Yn−1)\n"
              "\t1\tP1\t0\t0\t1\t0\n"
              "\t2\tP2\t0\t1\t1\t0\n"
              "\t3\tP3\t1\t1\t-1\t-1\n"
              "\t4\tP4\t1\t0\t-1\t-1\n"
              "\t倍面積\t\t\t\t\t2\n"
              "2\ttri,angle\t3\t6\t12\n"
              "\t電算No\t測点名\tX座標\tY座標\tYn+1−Yn−1\tXn×(Yn+1−Yn−1)\n"
              "\t1\tP1\t0\t0\t-3\t0\n"
              "\t5\tP5\t4\t0\t3\t12\n"
              "\t6\tP6\t0\t3\t0\t0\n"
              "\t倍面積\t\t\t\t\t12\n");
}

TEST_F(ParcelsCommandTest, CsvIsCodePage932WithCrLf) {
    const auto csv = folder_ / "parcels.csv";
    EXPECT_EQ(parcels({sim("a.SIM", kTwoParcels), csv, false}), kSuccess);
    EXPECT_EQ(readBytes(csv),
              "\x94\xD4\x8D\x86,\x96\xBC\x8F\xCC,\x93\x5F\x90\x94,\x96\xCA\x90\xCF,"
              "\x8E\xFC\x92\xB7\r\n"
              "1,\x90\xB3\x95\xFB\x8C\x60,4,1,4\r\n"
              "2,\"tri,angle\",3,6,12\r\n");
    EXPECT_EQ(out_.str(), csv.string() + ": 2 画地を書き出しました\n");
}

TEST_F(ParcelsCommandTest, CsvWithDetailHoldsTheSameRows) {
    const auto csv = folder_ / "parcels.csv";
    ASSERT_EQ(parcels({sim("a.sim", kTwoParcels), csv, true}), kSuccess);
    const std::string bytes = readBytes(csv);
    EXPECT_NE(
        bytes.find("\r\n,5,P5,4,0,3,12\r\n,6,P6,0,3,0,0\r\n,\x94\x7B\x96\xCA\x90\xCF,,,,,12\r\n"),
        std::string::npos);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 14);
}

TEST_F(ParcelsCommandTest, AFileWithoutParcelsExitsThree) {
    EXPECT_EQ(parcels({ZELANTO_FIXTURES "/instrument_padded.sim", folder_ / "p.csv", false}),
              kNoParcels);
    EXPECT_EQ(out_.str(), "");
    EXPECT_NE(
        err_.str().find("instrument_padded.sim: 画地（D00 から D99 までのブロック）がありません"),
        std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "p.csv"));
}

TEST_F(ParcelsCommandTest, MalformedParcelsAreEachNamedAndNothingIsWritten) {
    const auto csv = folder_ / "p.csv";
    EXPECT_EQ(parcels({sim("bad.sim", kTwoParcels + "D00,3,x,1,\r\nB01,9,,\r\nB01,1,,\r\n"
                                                    "D99,\r\nD00,4,y,1,\r\n"),
                       csv, false}),
              kReadFailure);
    EXPECT_EQ(out_.str(), "");
    EXPECT_FALSE(std::filesystem::exists(csv));
    const std::string bad = (folder_ / "bad.sim").string();
    EXPECT_EQ(err_.str(), "zelanto-cli: " + bad +
                              ":19: 画地 3「x」の構成点が 2 点しかありません（3 点以上を期待）\n"
                              "zelanto-cli: " +
                              bad +
                              ":23: 画地 4「y」が「D99」で閉じていません（ファイルの終わりの前に"
                              "「D99」を期待）\n");
}

TEST_F(ParcelsCommandTest, ReadFailuresAndFileNamesAsForTheImport) {
    EXPECT_EQ(parcels({sim("a.Sim", kTwoParcels), {}, false}), kReadFailure);
    EXPECT_NE(err_.str().find("SIM ファイルではありません"), std::string::npos);
    EXPECT_EQ(parcels({sim("b.sim", "A01,1,P1,1,,0,\nA01,2,P2,abc,0,0,\n"), {}, false}),
              kReadFailure);
    EXPECT_NE(err_.str().find("b.sim:2: 2 点目のX座標「abc」は数値ではありません"),
              std::string::npos)
        << err_.str();
    EXPECT_EQ(out_.str(), "");
}

TEST_F(ParcelsCommandTest, AnUnwritableCsvIsAWriteFailure) {
    EXPECT_EQ(parcels({sim("a.sim", kTwoParcels), folder_ / "no" / "p.csv", false}), kWriteFailure);
    EXPECT_NE(err_.str().find("書き出せません"), std::string::npos);
}

TEST_F(ParcelsCommandTest, ParcelsLeaveTheImportOfTheirFileAsItWas) {
    // The sample with a parcel block appended draws the same script as the sample itself.
    const auto plain = folder_ / "plain.scr";
    const auto withParcels = folder_ / "parcels.scr";
    ASSERT_EQ(
        runImport({ZELANTO_FIXTURES "/instrument_padded.sim", 500, plain, {}, {}}, out_, err_),
        kSuccess);
    ASSERT_EQ(
        runImport({ZELANTO_FIXTURES "/parcels_padded.sim", 500, withParcels, {}, {}}, out_, err_),
        kSuccess);
    EXPECT_EQ(readBytes(withParcels), readBytes(plain));
    EXPECT_NE(out_.str().find("parcels_padded.sim: 40 点を読み込みました"), std::string::npos);
}

}  // namespace
}  // namespace zelanto::cli

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cli_arguments.h"
#include "cli/commands.h"
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

// The cadastral export: three parcels with a "C03" after every corner, one length and one bearing
// that their coordinates do not give.
const std::string kExport = ZELANTO_FIXTURES "/parcels_c03.sim";
const std::string kExportWarnings =
    "zelanto-cli: " + kExport +
    ":24: 画地 1「野田第４」の構成点（電算No「4」、測点名「境界4」）から次の構成点（電算No「5」、"
    "測点名「境界5」）への辺長が C03 では 13.390 m、座標からは 13.372 m です（差 0.018 m、"
    "丸めで説明できる差は 0.002 m まで）\n"
    "zelanto-cli: " +
    kExport +
    ":50: 画地 3「水路」の構成点（電算No「9」、測点名「境界9」）から次の構成点（電算No「10」、"
    "測点名「境界10」）への方向角が C03 では 269°12′06″、座標からは 269°11′08″ です"
    "（差 0°00′58″、丸めで説明できる差は 0°00′22″ まで）\n";

TEST_F(ParcelsCommandTest, TheCadastralExportReadsAndItsEdgesAreChecked) {
    EXPECT_EQ(parcels({kExport, {}, false}), kSuccess);
    EXPECT_EQ(out_.str(),
              "番号\t名称\t点数\t面積\t周長\n"
              "1\t野田第４\t5\t257.547484\t64.3890709329268\n"
              "2\t野田第５\t6\t231.039263\t68.3921941018954\n"
              "3\t水路\t4\t23.3473005\t30.17268931052\n");
    EXPECT_EQ(err_.str(), kExportWarnings);
}

TEST_F(ParcelsCommandTest, DetailShowsEachEdgeBesideItsCornerAsComputedAndAsWritten) {
    EXPECT_EQ(parcels({kExport, {}, true}), kSuccess);
    const std::string header =
        "\t電算No\t測点名\tX座標\tY座標\tYn+1−Yn−1\tXn×(Yn+1−Yn−1)\t辺長\t方向角\t辺長（C03）\t"
        "方向角（C03）\n";
    // Short edges may differ by more than a minute where the coordinates are rounded to the
    // millimetre (2.973 m from 境界7 out to the pole and back); only the two wrong values warn.
    EXPECT_EQ(out_.str(),
              "番号\t名称\t点数\t面積\t周長\n"
              "1\t野田第４\t5\t257.547484\t64.3890709329268\n" +
                  header +
                  "\t1\t境界1\t-34512\t-8231\t12.073\t-416663.376\t12.313\t88°04′57″\t12.313\t"
                  "88°04′51″\n"
                  "\t2\t境界2\t-34511.588\t-8218.694\t13.718\t-473429.964184\t2.014\t"
                  "135°28′58″\t2.015\t135°28′41″\n"
                  "\t3\t境界3\t-34513.024\t-8217.282\t1.296\t-44728.879104\t17.680\t"
                  "180°22′33″\t17.680\t180°22′40″\n"
                  "\t4\t境界4\t-34530.704\t-8217.398\t-13.485\t465646.54344\t13.372\t"
                  "268°41′51″\t13.390\t268°41′47″\n"
                  "\t5\t境界5\t-34531.008\t-8230.767\t-13.602\t469690.770816\t19.009\t"
                  "359°17′52″\t19.010\t359°17′47″\n"
                  "\t倍面積\t\t\t\t\t515.094968\n"
                  "2\t野田第５\t6\t231.039263\t68.3921941018954\n" +
                  header +
                  "\t5\t境界5\t-34531.008\t-8230.767\t-11.803\t407569.487424\t12.038\t"
                  "269°00′53″\t12.038\t269°01′01″\n"
                  "\t6\t境界6\t-34531.215\t-8242.803\t-12.305\t424906.600575\t19.326\t"
                  "359°12′09″\t19.326\t359°12′17″\n"
                  "\t7\t境界7\t-34511.891\t-8243.072\t-0.312\t10767.709992\t2.973\t359°10′17″\t"
                  "2.974\t359°09′17″\n"
                  "\t8\t電柱\t-34508.918\t-8243.115\t0\t0\t2.973\t179°10′17″\t2.974\t"
                  "179°09′17″\n"
                  "\t7\t境界7\t-34511.891\t-8243.072\t12.115\t-418111.559465\t12.072\t"
                  "90°31′02″\t12.072\t90°31′03″\n"
                  "\t1\t境界1\t-34512\t-8231\t12.305\t-424670.16\t19.009\t179°17′52″\t19.010\t"
                  "179°17′47″\n"
                  "\t倍面積\t\t\t\t\t462.078526\n"
                  "3\t水路\t4\t23.3473005\t30.17268931052\n" +
                  header +
                  "\t5\t境界5\t-34531.008\t-8230.767\t13.347\t-460885.363776\t13.372\t"
                  "88°41′51″\t13.372\t88°41′47″\n"
                  "\t4\t境界4\t-34530.704\t-8217.398\t13.317\t-459845.385168\t1.810\t"
                  "181°38′47″\t1.810\t181°37′29″\n"
                  "\t9\t境界9\t-34532.513\t-8217.45\t-13.347\t460905.451011\t13.296\t"
                  "269°11′08″\t13.297\t269°12′06″\n"
                  "\t10\t境界10\t-34532.702\t-8230.745\t-13.317\t459871.992534\t1.694\t"
                  "359°15′21″\t1.694\t359°17′02″\n"
                  "\t倍面積\t\t\t\t\t46.694601\n");
    EXPECT_EQ(err_.str(), kExportWarnings);
}

TEST_F(ParcelsCommandTest, TheExportsCsvHoldsTheEdgesInCodePage932) {
    const auto csv = folder_ / "parcels.csv";
    EXPECT_EQ(parcels({kExport, csv, true}), kSuccess);
    const std::string bytes = readBytes(csv);
    // 辺長（C03）,方向角（C03） ending the area table's header; 境界1's row ending 88°04′51″.
    EXPECT_NE(bytes.find(",\x95\xd3\x92\xb7\x81\x69"
                         "C03\x81\x6a,\x95\xfb\x8c\xfc\x8a\x70\x81\x69"
                         "C03\x81\x6a\r\n"),
              std::string::npos);
    EXPECT_NE(bytes.find(",12.313,88\x81\x8b"
                         "04\x81\x8c"
                         "57\x81\x8d,12.313,88\x81\x8b"
                         "04\x81\x8c"
                         "51\x81\x8d\r\n"),
              std::string::npos);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 25);
    EXPECT_EQ(out_.str(), csv.string() + ": 3 画地を書き出しました\n");
    EXPECT_EQ(err_.str(), kExportWarnings);
}

TEST_F(ParcelsCommandTest, RecordsAParcelDoesNotKnowAreNamedAndTheParcelStillCounts) {
    const std::string bytes = kTwoParcels;
    const auto file = sim("k.sim", bytes.substr(0, bytes.find("B01,2,,")) + "K01,7,fence,\r\n" +
                                       bytes.substr(bytes.find("B01,2,,")));
    const std::string warning = "zelanto-cli: " + file.string() +
                                ":10: 画地 1「正方形」の中の「K01」は構成点（B01）でも辺（C03）"
                                "でもないので、画地に入れていません\n";
    EXPECT_EQ(parcels({file, {}, false}), kSuccess);
    EXPECT_EQ(out_.str(),
              "番号\t名称\t点数\t面積\t周長\n"
              "1\t正方形\t4\t1\t4\n"
              "2\ttri,angle\t3\t6\t12\n");
    EXPECT_EQ(err_.str(), warning);
    // The drawing says what it leaves out too, and holds both parcels.
    err_.str("");
    ASSERT_EQ(runImport({file, 500, {}, {}, folder_ / "k.dxf"}, out_, err_), kSuccess);
    EXPECT_EQ(err_.str(), warning);
    const std::string dxf = readBytes(folder_ / "k.dxf");
    EXPECT_NE(dxf.find("\ntri,angle\n"), std::string::npos);
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

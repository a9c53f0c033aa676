#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_arguments.h"
#include "cli/commands.h"
#include "tests/temp_folder.h"
#include "tests/tool_output.h"

namespace zelanto::cli {
namespace {

using testing::readBytes;
using testing::writeBytes;

// Zone IX's origin, a point 1,000 m north of it and one 1,000 m east, with an empty elevation.
const std::string kAxes = "A01,1,O,0,0,0,\r\nA01,2,N,1000,0,12.5,\r\nA01,3,E,0,1000,,\r\nA99,\r\n";

// A square of four points with a parcel, and a name with a comma.
const std::string kSquare =
    "A01,1,\"P,1\",-100,200,1,\r\nA01,2,P2,-100,300,2,\r\nA01,3,P3,-200,300,3,\r\n"
    "A01,4,P4,-200,200,4,\r\nA99,\r\nD00,7,区画,1,\r\nB01,1,,\r\nB01,2,,\r\nB01,3,,\r\n"
    "B01,4,,\r\nD99,\r\n";

TEST(ExportArguments, TheZoneIsRequiredAndTheFormatFollowsTheName) {
    const auto exported = std::get<ExportArguments>(
        parseArguments({"export", "a.sim", "--zone", "9", "--out", "a.CSV", "--datum", "tokyo",
                        "--encoding", "utf-8"}));
    EXPECT_EQ(exported.zone.epsgCode(), 30169);
    EXPECT_EQ(exported.format, geo::GisFormat::Csv);
    EXPECT_EQ(exported.encoding, geo::CsvEncoding::Utf8);
    EXPECT_EQ(std::get<ExportArguments>(
                  parseArguments({"export", "a.sim", "--zone", "19", "--out", "a.gpkg"}))
                  .zone.epsgCode(),
              6687);
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"export", "a.sim", "--out", "a.gpkg"},
             {"export", "a.sim", "--zone", "0", "--out", "a.gpkg"},
             {"export", "a.sim", "--zone", "20", "--out", "a.gpkg"},
             {"export", "a.sim", "--zone", "IX", "--out", "a.gpkg"},
             {"export", "a.sim", "--zone", "9"},
             {"export", "a.sim", "--zone", "9", "--out", "a.shp"},
             {"export", "a.sim", "--zone", "9", "--out", "a.gpkg", "--encoding", "utf-8"},
             {"export", "a.sim", "--zone", "9", "--out", "a.csv", "--encoding", "sjis"},
             {"export", "a.sim", "--zone", "9", "--out", "a.csv", "--datum", "wgs84"},
             {"tosim", "a.geojson", "--zone", "9"},
             {"tosim", "a.geojson", "--zone", "9", "--out", "a.sim", "--name"},
         }) {
        EXPECT_THROW(parseArguments(arguments), UsageError) << arguments.back();
    }
    const auto tosim = std::get<TosimArguments>(
        parseArguments({"tosim", "a.gpkg", "--zone", "2", "--out", "a.sim", "--number", "No",
                        "--parcel-name", "地番", "--assume-zone"}));
    EXPECT_EQ(tosim.fields.number, "No");
    EXPECT_EQ(tosim.fields.parcelName, "地番");
    EXPECT_FALSE(tosim.fields.name);
    EXPECT_TRUE(tosim.assumeZone);
    EXPECT_NE(usageText().find("zelanto-cli export FILE.sim --zone N"), std::string::npos);
}

class ExportCommandTest : public ::testing::Test {
protected:
    std::filesystem::path sim(const std::string& bytes) {
        writeBytes(folder_ / "a.sim", bytes);
        return folder_ / "a.sim";
    }
    int exportTo(const std::string& name, const std::string& bytes,
                 geo::PlaneZone zone = {9, geo::Datum::Jgd2011},
                 geo::CsvEncoding encoding = geo::CsvEncoding::Cp932) {
        const auto out = folder_ / name;
        return runExport({sim(bytes), zone, out, *geo::gisFormatOf(out), encoding}, out_, err_);
    }
    std::string ogrinfo(const std::string& name) {
        return testing::toolOutput("ogrinfo -ro -al '" + (folder_ / name).string() + "' 2>&1");
    }
    size_t filesInFolder() const {
        return static_cast<size_t>(
            std::distance(std::filesystem::directory_iterator(folder_.path()), {}));
    }

    testing::TempFolder folder_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(ExportCommandTest, AGeoPackageKeepsTheZoneAndItsNumbersAsGdalReadsThem) {
    ASSERT_EQ(exportTo("a.gpkg", kAxes + "D00,1,x,1,\r\nB01,1,,\r\nB01,2,,\r\nB01,3,,\r\nD99,\r\n"),
              kSuccess)
        << err_.str();
    EXPECT_EQ(out_.str(), (folder_ / "a.gpkg").string() + ": 3 点、1 画地を書き出しました\n");
    EXPECT_EQ(err_.str(), "");
    const std::string info = ogrinfo("a.gpkg");
    EXPECT_NE(info.find("Layer name: points"), std::string::npos);
    EXPECT_NE(info.find("Layer name: parcels"), std::string::npos);
    EXPECT_NE(info.find("Feature Count: 3"), std::string::npos);
    EXPECT_NE(info.find("    ID[\"EPSG\",6677]]"), std::string::npos) << info;
    for (const char* field : {"電算No: String", "測点名: String", "X: Real", "Y: Real",
                              "標高: Real", "経度: Real", "緯度: Real", "番号: String",
                              "名称: String", "点数: Integer", "面積: Real", "周長: Real"}) {
        EXPECT_NE(info.find(field), std::string::npos) << field;
    }
    // The point 1,000 m north: X = 1000 in its field and as the northing (second in GIS order)
    // of its geometry, north of the origin's latitude.
    EXPECT_NE(info.find("  X (Real) = 1000\n  Y (Real) = 0\n  標高 (Real) = 12.5\n"
                        "  経度 (Real) = 139.833333333333\n  緯度 (Real) = 36.00901"),
              std::string::npos)
        << info;
    EXPECT_NE(info.find("POINT (0 1000)"), std::string::npos);
    EXPECT_NE(info.find("POINT (1000 0)"), std::string::npos);
    EXPECT_NE(info.find("標高 (Real) = (null)"), std::string::npos);
    EXPECT_NE(info.find("面積 (Real) = 500000\n  周長 (Real) = 3414.2135623731"),
              std::string::npos);
}

TEST_F(ExportCommandTest, GeoJsonAndKmlHoldPointsAndParcelsInLongitudeAndLatitude) {
    ASSERT_EQ(exportTo("a.geojson", kSquare), kSuccess) << err_.str();
    const std::string geojson = ogrinfo("a.geojson");
    EXPECT_NE(geojson.find("Feature Count: 5"), std::string::npos);
    EXPECT_NE(geojson.find("ID[\"EPSG\",4326]"), std::string::npos);
    EXPECT_NE(geojson.find("測点名 (String) = P,1"), std::string::npos);
    EXPECT_NE(geojson.find("名称 (String) = 区画"), std::string::npos);
    EXPECT_NE(geojson.find("POLYGON ((139.83"), std::string::npos);
    const std::string text = readBytes(folder_ / "a.geojson");
    EXPECT_NE(text.find("\"coordinates\": [ 139.835551"), std::string::npos) << text;

    ASSERT_EQ(exportTo("a.kml", kSquare), kSuccess) << err_.str();
    const std::string kml = ogrinfo("a.kml");
    EXPECT_NE(kml.find("Layer name: points"), std::string::npos);
    EXPECT_NE(kml.find("Layer name: parcels"), std::string::npos);
    EXPECT_NE(kml.find("番号 (String) = 7"), std::string::npos);
    EXPECT_NE(readBytes(folder_ / "a.kml").find("<coordinates>139.835551"), std::string::npos);
}

TEST_F(ExportCommandTest, CsvIsCodePage932OrUtf8WithCrLfAndHoldsThePoints) {
    ASSERT_EQ(exportTo("a.csv", kSquare), kSuccess);
    EXPECT_EQ(out_.str(), (folder_ / "a.csv").string() +
                              ": 4 点を書き出しました（画地 1 件は CSV には書き出しません）\n");
    const std::string cp932 = readBytes(folder_ / "a.csv");
    EXPECT_EQ(cp932.substr(0, cp932.find("\r\n", cp932.find("\r\n") + 2) + 2),
              "\x93\x64\x8e\x5a\x4e\x6f,\x91\xaa\x93\x5f\x96\xbc,X,Y,\x95\x57\x8d\x82,"
              "\x8c\x6f\x93\x78,\x88\xdc\x93\x78\r\n"
              "\"1\",\"P,1\",-100,200,1,139.835551717815,35.9990986555043\r\n");
    ASSERT_EQ(exportTo("b.csv", kSquare, {9, geo::Datum::Jgd2011}, geo::CsvEncoding::Utf8),
              kSuccess);
    const std::string utf8 = readBytes(folder_ / "b.csv");
    EXPECT_EQ(utf8.substr(0, utf8.find('\n') + 1),
              "\xEF\xBB\xBF電算No,測点名,X,Y,標高,経度,緯度\r\n");
}

TEST_F(ExportCommandTest, PointsOutsideTheZoneAreCountedOnceWithTheFirst) {
    // X and Y of zone IX swapped: north of Tokyo becomes far east of it.
    ASSERT_EQ(exportTo("a.gpkg",
                       "A01,1,A,10000,-30000,0,\r\nA01,2,B,-30000,42000,0,\r\n"
                       "A01,3,C,20000,-30000,0,\r\nA01,4,D,42000,-800000,0,\r\nA99,\r\n"),
              kSuccess);
    const std::string err = err_.str();
    EXPECT_NE(err.find("4 点のうち 1 点が JGD2011 第IX系（EPSG:6677）の適用範囲"),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("最初は 4 点目（電算No「4」、測点名「D」）、X 42000、Y -800000"),
              std::string::npos);
    EXPECT_NE(err.find("系の番号が違うか、X と Y が入れ替わっていないか確かめてください\n"),
              std::string::npos);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
}

TEST_F(ExportCommandTest, TheTokyoDatumWarnsOfItsShift) {
    ASSERT_EQ(exportTo("a.geojson", kAxes, {9, geo::Datum::Tokyo}), kSuccess);
    EXPECT_NE(err_.str().find("旧日本測地系から経度緯度（JGD2011）へは"), std::string::npos);
    EXPECT_NE(err_.str().find("（PROJ の示す精度 "), std::string::npos);
    EXPECT_NE(ogrinfo("a.geojson").find("経度 (Real) = 139.83008"), std::string::npos);
}

TEST_F(ExportCommandTest, BadInputIsAReadFailureAndNothingIsWritten) {
    EXPECT_EQ(exportTo("a.gpkg", "A01,1,P1,1,abc,0,\r\nA99,\r\n"), kReadFailure);
    EXPECT_NE(err_.str().find("a.sim:1: 1 点目のY座標「abc」は数値ではありません"),
              std::string::npos);
    EXPECT_EQ(exportTo("a.gpkg", "A01,1,P1,1,2,0,\r\nA01,2,P2,1,2,0,\r\n"), kReadFailure);
    EXPECT_EQ(filesInFolder(), 1u);  // the SIM file alone
    const auto out = folder_ / "a.kml";
    EXPECT_EQ(runExport({folder_ / "a.Sim", {9}, out, geo::GisFormat::Kml}, out_, err_),
              kReadFailure);
    EXPECT_EQ(out_.str(), "");
}

TEST_F(ExportCommandTest, AnOutputThatCannotBeWrittenLeavesNothingBehind) {
    // A folder where the file should go: written in full, it cannot take the folder's place.
    const auto taken = folder_ / "taken.gpkg";
    std::filesystem::create_directory(taken);
    EXPECT_EQ(runExport({sim(kSquare), {9}, taken, geo::GisFormat::GeoPackage}, out_, err_),
              kWriteFailure);
    EXPECT_NE(err_.str().find("zelanto-cli: 書き出せません: " + taken.string()), std::string::npos);
    EXPECT_EQ(
        runExport({sim(kSquare), {9}, folder_ / "no" / "a.csv", geo::GisFormat::Csv}, out_, err_),
        kWriteFailure);
    EXPECT_EQ(filesInFolder(), 2u);  // the SIM file and the folder
    EXPECT_TRUE(std::filesystem::is_empty(taken));
    EXPECT_EQ(out_.str(), "");
}

}  // namespace
}  // namespace zelanto::cli

#include <gtest/gtest.h>
#include <sstream>

#include "cli/cli_arguments.h"
#include "cli/commands.h"
#include "cli/map_commands.h"
#include "coords/parcels.h"
#include "geo/survey_map.h"
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
        parseMapArguments({"export", "a.sim", "--zone", "9", "--out", "a.CSV", "--datum", "tokyo",
                           "--encoding", "utf-8"}));
    EXPECT_EQ(exported.zone.epsgCode(), 30169);
    EXPECT_EQ(exported.format, geo::GisFormat::Csv);
    EXPECT_EQ(exported.encoding, geo::CsvEncoding::Utf8);
    EXPECT_EQ(std::get<ExportArguments>(
                  parseMapArguments({"export", "a.sim", "--zone", "19", "--out", "a.gpkg"}))
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
        EXPECT_THROW(parseMapArguments(arguments), UsageError) << arguments.back();
    }
    const auto tosim = std::get<TosimArguments>(
        parseMapArguments({"tosim", "a.gpkg", "--zone", "2", "--out", "a.sim", "--number", "No",
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

using testing::readBytes;
using testing::writeBytes;

constexpr geo::PlaneZone kZoneIX{9, geo::Datum::Jgd2011};

const std::string kHeaderLines =
    "Z00,/orvik simformat ver.1.0/,\r\n"
    "G00,01,SIM\x8d\xc0\x95\x57\x83\x66\x81\x5b\x83\x5e\x88\xea\x97\x97,\r\n"
    "Z00,/\x8d\xc0\x95\x57\x83\x66\x81\x5b\x83\x5e/,\r\n"
    "A00,\r\n";

// A GeoJSON file in zone IX (its old "crs" member), easting first as GIS files store it.
std::string geojsonInZoneIX(const std::string& features) {
    return R"({"type": "FeatureCollection", "name": "lots",
"crs": {"type": "name", "properties": {"name": "urn:ogc:def:crs:EPSG::6677"}},
"features": [)" +
           features + "]}";
}

std::string feature(const std::string& properties, const std::string& geometry) {
    return R"({"type": "Feature", "properties": {)" + properties + R"(}, "geometry": )" + geometry +
           "}";
}

class TosimCommandTest : public ::testing::Test {
protected:
    std::filesystem::path input(const std::string& name, const std::string& bytes) {
        writeBytes(folder_ / name, bytes);
        return folder_ / name;
    }
    int tosim(const std::filesystem::path& file, geo::GisFields fields = {},
              bool assumeZone = false) {
        return runTosim({file, kZoneIX, out_, std::move(fields), assumeZone}, stdout_, err_);
    }
    // export to a GeoPackage, then tosim with the fields that export writes.
    void roundTrip(const std::filesystem::path& sim) {
        const auto gpkg = folder_ / "map.gpkg";
        ASSERT_EQ(runExport({sim, kZoneIX, gpkg, geo::GisFormat::GeoPackage}, stdout_, err_),
                  kSuccess)
            << err_.str();
        ASSERT_EQ(tosim(gpkg, {.number = "電算No",
                               .name = "測点名",
                               .elevation = "標高",
                               .parcelNumber = "番号",
                               .parcelName = "名称"}),
                  kSuccess)
            << err_.str();
    }

    testing::TempFolder folder_;
    std::filesystem::path out_ = folder_ / "out.sim";
    std::ostringstream stdout_;
    std::ostringstream err_;
};

void expectSamePoints(const std::filesystem::path& read, const std::filesystem::path& back) {
    const auto before = geo::readSurveyFile(read).points;
    const auto after = geo::readSurveyFile(back).points;
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        SCOPED_TRACE(before[i].number);
        EXPECT_EQ(after[i].number, before[i].number);
        EXPECT_EQ(after[i].name, before[i].name);
        EXPECT_NEAR(after[i].xy.x, before[i].xy.x, 1e-4);
        EXPECT_NEAR(after[i].xy.y, before[i].xy.y, 1e-4);
        EXPECT_EQ(after[i].elevation, before[i].elevation);
    }
}

void expectSameParcels(const std::filesystem::path& read, const std::filesystem::path& back) {
    const auto before = coords::readParcels(read);
    const auto after = coords::readParcels(back);
    EXPECT_TRUE(after.issues.empty());
    ASSERT_EQ(after.parcels.size(), before.parcels.size());
    for (size_t i = 0; i < before.parcels.size(); ++i) {
        const coords::Parcel& was = before.parcels[i];
        const coords::Parcel& is = after.parcels[i];
        EXPECT_EQ(is.number, was.number);
        EXPECT_EQ(is.name, was.name);
        ASSERT_EQ(is.corners.size(), was.corners.size());
        for (size_t c = 0; c < was.corners.size(); ++c) {
            EXPECT_EQ(is.corners[c].number, was.corners[c].number);
            EXPECT_EQ(is.corners[c].name, was.corners[c].name);
            EXPECT_NEAR(is.corners[c].x, was.corners[c].x, 1e-4);
            EXPECT_NEAR(is.corners[c].y, was.corners[c].y, 1e-4);
        }
    }
}

TEST_F(TosimCommandTest, TheFixturesComeBackThroughAGeoPackage) {
    for (const char* fixture : {"instrument_padded.sim", "handmade_lf.sim", "parcels_padded.sim"}) {
        SCOPED_TRACE(fixture);
        const std::filesystem::path sim = std::string(ZELANTO_FIXTURES "/") + fixture;
        roundTrip(sim);
        expectSamePoints(sim, out_);
        expectSameParcels(sim, out_);
    }
    // The same zone in and out: the coordinates come back as they were written.
    EXPECT_NE(readBytes(out_).find("\r\nA01,1,KBM1,-30726.388,42172.99,56.569,\r\n"),
              std::string::npos);
}

TEST_F(TosimCommandTest, FiftyThousandPointsAndTheirParcelsComeBack) {
    std::string sim = "G00,01,test,\r\nA00,\r\n";
    for (int i = 1; i <= 50000; ++i) {
        const std::string n = std::to_string(i);
        sim += "A01," + n + ",P" + n + "," + std::to_string(-30000 - i * 0.137) + "," +
               std::to_string(42000 + (i % 500) * 0.291) + "," + (i % 7 ? n : "") + ",\r\n";
    }
    sim += "A99,\r\nD00,1,a,1,\r\nB01,1,,\r\nB01,2,,\r\nB01,40000,,\r\nD99,\r\n";
    const auto file = input("big.sim", sim);
    roundTrip(file);
    expectSamePoints(file, out_);
    expectSameParcels(file, out_);
}

TEST_F(TosimCommandTest, PolygonsBecomeParcelsWhoseSharedCornersAreWrittenOnce) {
    const auto file = input(
        "lots.geojson",
        geojsonInZoneIX(
            feature(R"("no": "5", "nm": "境界1")",
                    R"({"type": "Point", "coordinates": [200, -100]})") +
            "," +
            feature(
                R"("no": "1", "nm": "一")",
                R"({"type": "Polygon", "coordinates": [[[200, -100], [300, -100], [300, -200], [200, -200], [200, -100]]]})") +
            "," +
            feature(
                R"("no": "2", "nm": "二")",
                R"({"type": "Polygon", "coordinates": [[[300, -100], [400, -100], [400, -200], [300, -200], [300, -100]]]})")));
    ASSERT_EQ(tosim(file, {.number = "no", .name = "nm"}), kSuccess) << err_.str();
    EXPECT_EQ(readBytes(out_), kHeaderLines +
                                   "A01,5,\x8b\xab\x8a\x45\x31,-100,200,,\r\n"
                                   "A01,6,,-100,300,,\r\n"
                                   "A01,7,,-200,300,,\r\n"
                                   "A01,8,,-200,200,,\r\n"
                                   "A01,9,,-100,400,,\r\n"
                                   "A01,10,,-200,400,,\r\n"
                                   "A99,\r\n"
                                   "D00,1,\x88\xea,1,\r\nB01,5,\x8b\xab\x8a\x45\x31,\r\nB01,6,,\r\n"
                                   "B01,7,,\r\nB01,8,,\r\nD99,\r\n"
                                   "D00,2,\x93\xf1,1,\r\nB01,6,,\r\nB01,9,,\r\nB01,10,,\r\n"
                                   "B01,7,,\r\nD99,\r\n");
    EXPECT_EQ(
        stdout_.str(),
        out_.string() + ": 6 点（うち画地の構成点として加えた点 5）、2 画地を書き出しました\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(TosimCommandTest, ACsvOfSurveyXAndYNeedsTheZoneAssumedAndLonLatIsJgd2011) {
    const auto survey = input("points.csv", "No,X,Y,Z\r\n1,-100,200,5.5\r\n");
    EXPECT_EQ(tosim(survey, {.number = "No"}), kReadFailure);
    EXPECT_NE(err_.str().find("レイヤー「points」に座標参照系がありません（その座標がすでに "
                              "JGD2011 第IX系 の座標なら --assume-zone を指定）"),
              std::string::npos)
        << err_.str();
    EXPECT_FALSE(std::filesystem::exists(out_));
    ASSERT_EQ(tosim(survey, {.number = "No", .elevation = "Z"}, true), kSuccess) << err_.str();
    EXPECT_EQ(readBytes(out_), kHeaderLines + "A01,1,,-100,200,5.5,\r\nA99,\r\n");

    const auto lonLat = input("origin.csv", "name,lon,lat\r\nO,139.833333333333333,36\r\n");
    ASSERT_EQ(tosim(lonLat, {.name = "name"}), kSuccess) << err_.str();
    const auto origin = geo::readSurveyFile(out_).points.front();
    EXPECT_EQ(origin.name, "O");
    EXPECT_NEAR(origin.xy.x, 0, 1e-6);
    EXPECT_NEAR(origin.xy.y, 0, 1e-6);
}

TEST_F(TosimCommandTest, ANameCodePage932CannotHoldEndsItAndNothingIsWritten) {
    const auto file = input(
        "p.geojson",
        geojsonInZoneIX(feature(R"("nm": "P1")", R"({"type": "Point", "coordinates": [0, 0]})") +
                        "," +
                        feature(R"("nm": "杭😀")", R"({"type": "Point", "coordinates": [1, 1]})")));
    EXPECT_EQ(tosim(file, {.name = "nm"}), kReadFailure);
    EXPECT_EQ(err_.str(), "zelanto-cli: " + file.string() +
                              ": レイヤー「lots」の地物 1 の測点名「杭😀」の文字「😀」は SIM "
                              "ファイル（シフトJIS、コードページ932）に書けません\n");
    EXPECT_FALSE(std::filesystem::exists(out_));
    EXPECT_EQ(stdout_.str(), "");
}

TEST_F(TosimCommandTest, ByteEscapesGoBackAsTheBytesTheyStandFor) {
    // U+EF81 stands for the byte 0x81 of a name that was no code page 932 text where it was read.
    const auto file =
        input("p.geojson", geojsonInZoneIX(feature("\"nm\": \"A\xEE\xBE\x81\"",
                                                   R"({"type": "Point", "coordinates": [2, 1]})")));
    ASSERT_EQ(tosim(file, {.name = "nm"}), kSuccess) << err_.str();
    EXPECT_EQ(readBytes(out_), kHeaderLines + "A01,1,A\x81,1,2,,\r\nA99,\r\n");
}

TEST_F(TosimCommandTest, WhatASimFileCannotHoldIsNamedAndLeftOut) {
    const auto file = input(
        "p.geojson",
        geojsonInZoneIX(
            feature(R"("n": 1)", R"({"type": "LineString", "coordinates": [[0, 0], [1, 1]]})") +
            "," + feature(R"("n": 2)", "null") + "," +
            feature(R"("n": 3)", R"({"type": "Point", "coordinates": [5, 6]})")));
    ASSERT_EQ(tosim(file), kSuccess);
    EXPECT_NE(err_.str().find(": レイヤー「lots」の点でも面でもない形状（線など） 1 件は SIM "
                              "ファイルに書けないため除きました（最初は地物 0）\n"),
              std::string::npos)
        << err_.str();
    EXPECT_NE(err_.str().find("形状のない地物 1 件"), std::string::npos);
    EXPECT_EQ(readBytes(out_), kHeaderLines + "A01,1,,6,5,,\r\nA99,\r\n");

    EXPECT_EQ(tosim(file, {.number = "番号"}), kUsage);
    EXPECT_NE(err_.str().find("レイヤー「lots」にフィールド「番号」がありません（あるのは n）"),
              std::string::npos);
    EXPECT_EQ(tosim(input("none.geojson", geojsonInZoneIX(""))), kNoPlottableData);
    EXPECT_EQ(tosim(input("bad.geojson", "{")), kReadFailure);
    EXPECT_NE(err_.str().find("GIS のファイルとして開けません"), std::string::npos);
}

}  // namespace

}  // namespace zelanto::cli

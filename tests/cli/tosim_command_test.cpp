#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_arguments.h"
#include "cli/commands.h"
#include "coords/parcels.h"
#include "geo/survey_map.h"
#include "tests/temp_folder.h"

namespace zelanto::cli {
namespace {

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

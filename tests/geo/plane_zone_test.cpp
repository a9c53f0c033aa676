#include "geo/plane_zone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>

#include "tests/temp_folder.h"
#include "tests/tool_output.h"

namespace zelanto::geo {
namespace {

constexpr double kMetresPerDegree = 111320;

PlaneZone zone(int number, Datum datum = Datum::Jgd2011) {
    return {number, datum};
}

// PROJ's own command-line tool on `pairs`, one process for all of them through a file.
std::vector<CrsPair> cs2cs(const std::string& from, const std::string& to,
                           const std::vector<CrsPair>& pairs, const testing::TempFolder& folder) {
    const auto input = folder / "in.txt";
    {
        std::FILE* file = std::fopen(input.c_str(), "w");
        for (const CrsPair& pair : pairs) {
            std::fprintf(file, "%.17g %.17g\n", pair[0], pair[1]);
        }
        std::fclose(file);
    }
    std::istringstream lines(
        testing::toolOutput("cs2cs -f %.12f " + from + " " + to + " < '" + input.string() + "'"));
    std::vector<CrsPair> converted;
    double z = 0;
    for (CrsPair pair; lines >> pair[0] >> pair[1] >> z;) {
        converted.push_back(pair);
    }
    return converted;
}

// Random places inside `area`: the longitude first, as a box is given.
std::vector<LonLat> placesIn(const AreaOfUse& area, size_t count, std::mt19937& random) {
    std::uniform_real_distribution<double> longitude(area.west, area.east);
    std::uniform_real_distribution<double> latitude(area.south, area.north);
    std::vector<LonLat> places;
    for (size_t i = 0; i < count; ++i) {
        places.push_back({longitude(random), latitude(random)});
    }
    return places;
}

double metresBetween(const CrsPair& a, const CrsPair& b) {
    return std::hypot(a[0] - b[0], a[1] - b[1]);
}

// Differences of latitude and longitude as metres on the ground (near enough for 0.1 mm).
double metresBetweenLatLon(const CrsPair& a, const CrsPair& b) {
    const double north = (a[0] - b[0]) * kMetresPerDegree;
    const double east = (a[1] - b[1]) * kMetresPerDegree * std::cos(a[0] * M_PI / 180);
    return std::hypot(north, east);
}

TEST(ZoneOperations, AgreeWithCs2csTo0_1MillimetreInEveryZoneBothWays) {
    constexpr size_t kPoints = 10000;
    testing::TempFolder folder;
    std::mt19937 random(18);
    double largest = 0;
    for (int number = PlaneZone::kFirst; number <= PlaneZone::kLast; ++number) {
        const PlaneZone planeZone = zone(number);
        const ZoneToLonLat toLonLat(planeZone);
        const std::vector<LonLat> places = placesIn(toLonLat.zoneArea(), kPoints, random);

        // Longitude and latitude to the zone, latitude first as the geographic CRS has it.
        std::vector<CrsPair> latLon;
        for (const LonLat& place : places) {
            latLon.push_back({place.latitude, place.longitude});
        }
        const std::vector<CrsPair> expectedXY =
            cs2cs(kLonLatCrs, planeZone.crsName(), latLon, folder);
        std::vector<CrsPair> xy = latLon;
        CoordinateOperation(kLonLatCrs, planeZone.crsName()).convert(xy);
        ASSERT_EQ(expectedXY.size(), kPoints) << planeZone.crsName();

        // The zone's X and Y (those just made, spread over the zone) back to the geographic CRS.
        std::vector<SurveyXY> survey;
        for (const CrsPair& pair : xy) {
            survey.push_back({pair[0], pair[1]});
        }
        const std::vector<CrsPair> expectedLatLon =
            cs2cs(planeZone.crsName(), kLonLatCrs, xy, folder);
        const std::vector<LonLat> back = toLonLat.convert(survey);
        ASSERT_EQ(expectedLatLon.size(), kPoints) << planeZone.crsName();

        for (size_t i = 0; i < kPoints; ++i) {
            largest = std::max(largest, metresBetween(xy[i], expectedXY[i]));
            largest = std::max(largest, metresBetweenLatLon({back[i].latitude, back[i].longitude},
                                                            expectedLatLon[i]));
        }
    }
    ::testing::Test::RecordProperty("largest_difference_m", std::to_string(largest));
    std::printf("largest difference from cs2cs: %.3g m\n", largest);
    EXPECT_LT(largest, 1e-4);
}

TEST(ZoneOperations, NorthingIsXAndEastingIsYInAndOut) {
    // Zone IX's origin is 36°00'N 139°50'E; survey X grows northwards, Y eastwards.
    const ZoneToLonLat zoneIX(zone(9));
    const std::vector<LonLat> places = zoneIX.convert({{0, 0}, {1000, 0}, {0, 1000}});
    EXPECT_NEAR(places[0].latitude, 36, 1e-12);
    EXPECT_NEAR(places[0].longitude, 139 + 50.0 / 60, 1e-12);
    EXPECT_GT(places[1].latitude, 36.008);
    EXPECT_NEAR(places[1].longitude, 139 + 50.0 / 60, 1e-12);
    EXPECT_NEAR(places[2].latitude, 36, 1e-5);
    EXPECT_GT(places[2].longitude, 139.84);

    // And back: a point about 1,000 m north of zone I's origin (33°N 129°30'E) has X near 1000
    // and Y = 0.
    std::vector<CrsPair> latLon = {{33 + 1000 / kMetresPerDegree, 129.5}, {33, 129.5}};
    CoordinateOperation(kLonLatCrs, zone(1).crsName()).convert(latLon);
    EXPECT_NEAR(latLon[0][0], 1000, 10);
    EXPECT_NEAR(latLon[0][1], 0, 1e-6);
    EXPECT_NEAR(latLon[1][0], 0, 1e-6);
    EXPECT_NEAR(latLon[1][1], 0, 1e-6);
}

TEST(ZoneOperations, TheTokyoDatumIsShiftedAndSaysHowWell) {
    // Without a grid the Tokyo datum reaches JGD2011 by a datum shift of some 400 m to the
    // north-west, never by a zero "ballpark" offset.
    const ZoneToLonLat tokyoIX(zone(9, Datum::Tokyo));
    const LonLat origin = tokyoIX.convert({{0, 0}}).front();
    EXPECT_NEAR(origin.latitude, 36.0032, 0.0005);
    EXPECT_NEAR(origin.longitude, 139.8301, 0.0005);
    ASSERT_TRUE(tokyoIX.lastAccuracy());
    EXPECT_GE(*tokyoIX.lastAccuracy(), 1);
}

TEST(ZoneOperations, ZonesAreTheirEpsgCrsAndAreasOfUse) {
    EXPECT_EQ(zone(1).epsgCode(), 6669);
    EXPECT_EQ(zone(19).epsgCode(), 6687);
    EXPECT_EQ(zone(1, Datum::Jgd2000).epsgCode(), 2443);
    EXPECT_EQ(zone(19, Datum::Tokyo).epsgCode(), 30179);
    EXPECT_EQ(zone(9).displayName(), "JGD2011 第IX系");
    const AreaOfUse area = ZoneToLonLat(zone(9)).zoneArea();
    EXPECT_TRUE(area.contains({139.83, 36}));
    EXPECT_FALSE(area.contains({129.5, 33}));  // zone I's origin
    EXPECT_THROW(CoordinateOperation("EPSG:0", kLonLatCrs), GeoError);
}

}  // namespace
}  // namespace zelanto::geo

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelanto::geo {

// The geodetic datum a SIM file's coordinates are on.
enum class Datum {
    Jgd2011,
    Jgd2000,
    Tokyo,
};

// One of Japan's 19 plane rectangular coordinate systems (平面直角座標系 I–XIX) on a datum. Its X
// is northing and its Y easting, in metres, as in a SIM file.
struct PlaneZone {
    static constexpr int kFirst = 1;
    static constexpr int kLast = 19;

    int number = 0;
    Datum datum = Datum::Jgd2011;

    // The EPSG code of the zone's projected CRS: JGD2011 6669–6687, JGD2000 2443–2461, the Tokyo
    // datum 30161–30179.
    int epsgCode() const;
    // "EPSG:6677", as PROJ takes it.
    std::string crsName() const;
    // "JGD2011 第IX系", for messages.
    std::string displayName() const;
};

// JGD2011's geographic CRS: every longitude and latitude ZELANTO writes is on it.
constexpr const char* kLonLatCrs = "EPSG:6668";

// The datum of a --datum value: jgd2011, jgd2000 or tokyo.
std::optional<Datum> datumNamed(std::string_view name);

}  // namespace zelanto::geo

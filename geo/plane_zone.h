#pragma once

#include <array>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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

// What PROJ or GDAL answered when it could not do what was asked, in its own words.
class GeoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A point that PROJ could not convert: the index of the first such point of those given.
class PointNotConverted : public GeoError {
public:
    explicit PointNotConverted(size_t index)
        : GeoError("point " + std::to_string(index + 1) + " not converted"), index_(index) {}
    size_t index() const { return index_; }

private:
    size_t index_;
};

// A place in a zone's survey coordinates: X northwards, Y eastwards, in metres.
struct SurveyXY {
    double x = 0;
    double y = 0;
};

// A place in decimal degrees.
struct LonLat {
    double longitude = 0;
    double latitude = 0;
};

// Where PROJ says a CRS is meant to be used: a box of longitudes and latitudes.
struct AreaOfUse {
    double west = -180;
    double south = -90;
    double east = 180;
    double north = 90;
    std::string name;

    bool contains(const LonLat& place) const;
};

// A pair of coordinates in a CRS's own axis order.
using CrsPair = std::array<double, 2>;

// The coordinate operation that PROJ chooses between two CRSs, point by point, as its cs2cs does.
//
// Axis order, decided once: every operation works in the CRSs' own axis order, never in PROJ's
// "visualization" order. The zones' CRSs are northing first, which is exactly a SIM file's X, Y;
// JGD2011's geographic CRS is latitude first. So survey coordinates go in and out unswapped, and
// the only swaps are where GIS geometries (easting or longitude first) are built or read.
class CoordinateOperation {
public:
    // `source` and `target` as PROJ takes them: "EPSG:6677", WKT or PROJJSON. Throws GeoError.
    CoordinateOperation(const std::string& source, const std::string& target);
    ~CoordinateOperation();
    CoordinateOperation(const CoordinateOperation&) = delete;
    CoordinateOperation& operator=(const CoordinateOperation&) = delete;

    // Converts every pair in place; throws PointNotConverted for the first pair PROJ could not
    // convert.
    void convert(std::vector<CrsPair>& pairs) const;

    // Where the source CRS is meant to be used.
    AreaOfUse sourceArea() const;

    // The accuracy in metres that PROJ states for the operation it used on the last pair
    // converted; nothing when it states none.
    std::optional<double> lastAccuracy() const;

private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
};

// A zone's survey coordinates to JGD2011 longitude and latitude.
class ZoneToLonLat {
public:
    explicit ZoneToLonLat(PlaneZone zone) : operation_(zone.crsName(), kLonLatCrs) {}

    // Throws PointNotConverted.
    std::vector<LonLat> convert(const std::vector<SurveyXY>& points) const;
    // Where the zone is meant to be used.
    AreaOfUse zoneArea() const { return operation_.sourceArea(); }
    std::optional<double> lastAccuracy() const { return operation_.lastAccuracy(); }

private:
    CoordinateOperation operation_;
};

}  // namespace zelanto::geo

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "geo/plane_zone.h"
#include "geo/survey_map.h"

namespace zelanto::geo {

// GDAL for the length of one read or write: its drivers registered, its errors and warnings kept
// from the terminal (the caller reports them, in Japanese, from what they said), and a folder of
// its in-memory file system for what it writes.
class GdalSession {
public:
    GdalSession();
    ~GdalSession();
    GdalSession(const GdalSession&) = delete;
    GdalSession& operator=(const GdalSession&) = delete;

    // What GDAL said last, or `fallback` when it said nothing.
    static std::string lastError(const std::string& fallback);

    // A path for `name` in this session's in-memory folder, removed with the session.
    std::string memoryPath(const std::string& name) const;
    // The bytes of a file that GDAL wrote there and closed.
    std::string memoryFile(const std::string& name) const;

private:
    std::string folder_;
};

// A feature of a GIS file, as a message names it.
struct FeatureRef {
    std::string layer;
    long long fid = 0;
};

// The fields that give what a SIM file holds; nothing where the option was not given.
struct GisFields {
    std::optional<std::string> number{};     // a point's 電算No (and a parcel's, by default)
    std::optional<std::string> name{};       // a point's 測点名 (and a parcel's, by default)
    std::optional<std::string> elevation{};  // a point's elevation; else the point's Z, if any
    std::optional<std::string> parcelNumber{};
    std::optional<std::string> parcelName{};
};

struct GisReadOptions {
    PlaneZone zone;
    GisFields fields;
    // A layer without a CRS holds the zone's survey coordinates (as GIS files store them,
    // easting first).
    bool assumeZone = false;
};

// A point in the zone's survey coordinates, with the texts of its fields (nothing where no field
// was named).
struct GisPoint {
    FeatureRef feature;
    std::optional<std::string> number;
    std::optional<std::string> name;
    SurveyXY xy;
    std::optional<double> elevation;
};

// The outer ring of a polygon, its closing corner left off, in the zone's survey coordinates.
struct GisOutline {
    FeatureRef feature;
    std::optional<std::string> number;
    std::optional<std::string> name;
    std::vector<SurveyXY> corners;
};

// Geometries a SIM file cannot hold, left out of it: how many of a kind in a layer, and the
// first of them.
struct LeftOut {
    enum class Kind {
        NoGeometry,
        Line,           // lines and other geometries that are neither points nor polygons
        Hole,           // the inner rings of polygons
        TooFewCorners,  // rings of fewer than three corners
    };
    Kind kind = Kind::NoGeometry;
    FeatureRef first;
    size_t count = 0;
};

struct GisContent {
    std::vector<GisPoint> points;
    std::vector<GisOutline> outlines;
    std::vector<LeftOut> leftOut;
};

// Why a GIS file did not read, and where.
class GisReadError : public GeoError {
public:
    enum class Problem {
        CannotOpen,
        NoCrs,         // a layer without a CRS, and no assumeZone
        NoSuchField,   // a field named in the options that the layer lacks; `fields` has its own
        NotConverted,  // PROJ could not convert the coordinates of `feature`
        NotANumber,    // the elevation field of `feature` holds `found`
    };
    GisReadError(Problem problem, FeatureRef feature, std::string detail);

    Problem problem() const { return problem_; }
    const FeatureRef& feature() const { return feature_; }
    // CannotOpen: what GDAL said; NoSuchField: the field; NotANumber: the text found.
    const std::string& detail() const { return detail_; }
    std::vector<std::string> fields;

private:
    Problem problem_;
    FeatureRef feature_;
    std::string detail_;
};

// Reads every layer of a file that GDAL reads, in whatever CRS each declares, into the zone's
// survey coordinates: points (of points and multipoints) and the outlines of polygons. In a CSV
// file the points come from the columns X and Y (X northwards, as in a SIM file and ZELANTO's own
// CSV), else from 経度 and 緯度 (or longitude/latitude, lon/lat), which are JGD2011's where the
// file declares no CRS. Throws GisReadError.
GisContent readGisFile(const std::filesystem::path& file, const GisReadOptions& options);

// The GIS files `export` writes, chosen by the output's extension.
enum class GisFormat {
    GeoJson,     // .geojson: points and parcels in one collection, longitude/latitude
    Kml,         // .kml: the layers as folders, longitude/latitude
    GeoPackage,  // .gpkg: the layers "points" and "parcels" in the zone's own CRS
    Csv,         // .csv: the points
};

// The format an extension asks for, whatever its case; nothing for any other.
std::optional<GisFormat> gisFormatOf(const std::filesystem::path& file);

enum class CsvEncoding {
    Cp932,
    Utf8,
};

// Writes the map as GDAL writes the format, into `file` complete or not at all: GDAL writes it
// in memory, and the bytes go to a temporary file beside `file` that is renamed over it. Points
// have the fields 電算No, 測点名, X, Y, 標高, 経度, 緯度; parcels 番号, 名称, 点数, 面積, 周長.
// `encoding` is that of a CSV file; the others are UTF-8 by their standards. Throws GeoError
// when GDAL fails and base::FileError when the file cannot be written.
void writeGisFile(const std::filesystem::path& file, GisFormat format, const SurveyMap& map,
                  CsvEncoding encoding);

}  // namespace zelanto::geo

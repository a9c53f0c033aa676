#pragma once

#include <filesystem>
#include <optional>

#include "geo/survey_map.h"

namespace zelanto::geo {

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

#include "geo/gis_writer.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <memory>

#include "base/atomic_file.h"
#include "base/code_page_932.h"
#include "geo/gdal_session.h"

namespace zelanto::geo {
namespace {

struct FormatName {
    GisFormat format;
    const char* extension;
    const char* driver;
};

constexpr FormatName kFormats[] = {
    {GisFormat::GeoJson, ".geojson", "GeoJSON"},
    {GisFormat::Kml, ".kml", "KML"},
    {GisFormat::GeoPackage, ".gpkg", "GPKG"},
    {GisFormat::Csv, ".csv", "CSV"},
};

const FormatName& nameOf(GisFormat format) {
    return *std::find_if(std::begin(kFormats), std::end(kFormats),
                         [&](const FormatName& name) { return name.format == format; });
}

struct Field {
    const char* name;
    OGRFieldType type;
};

const std::vector<Field> kPointFields = {
    {"電算No", OFTString}, {"測点名", OFTString}, {"X", OFTReal},    {"Y", OFTReal},
    {"標高", OFTReal},     {"経度", OFTReal},     {"緯度", OFTReal},
};
const std::vector<Field> kParcelFields = {
    {"番号", OFTString}, {"名称", OFTString}, {"点数", OFTInteger},
    {"面積", OFTReal},   {"周長", OFTReal},
};

// EPSG:4326 for the files whose standards want WGS 84 longitude and latitude (GeoJSON, KML). The
// coordinates given them are JGD2011's: EPSG's own transformation from JGD2011 to WGS 84 is the
// null one, which is what PROJ would apply.
constexpr int kWgs84 = 4326;

// How a format places a point: at its longitude and latitude, or at its survey coordinates in
// the zone's CRS.
enum class Placement {
    LonLat,
    Zone,
};

struct DatasetCloser {
    void operator()(GDALDataset* dataset) const { GDALClose(dataset); }
};
using Dataset = std::unique_ptr<GDALDataset, DatasetCloser>;

void check(OGRErr error, const std::string& what) {
    if (error != OGRERR_NONE) {
        throw GeoError(GdalSession::lastError(what));
    }
}

// GIS files store easting (or longitude) first, whatever the CRS's own axis order: GDAL's
// traditional GIS order says so for the geometries it is given.
OGRSpatialReference gisCrs(int epsgCode) {
    OGRSpatialReference crs;
    check(crs.importFromEPSG(epsgCode), "EPSG:" + std::to_string(epsgCode));
    crs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return crs;
}

OGRPoint geometryAt(const SurveyXY& xy, const LonLat& place, Placement placement) {
    if (placement == Placement::LonLat) {
        return OGRPoint(place.longitude, place.latitude);
    }
    return OGRPoint(xy.y, xy.x);
}

class MapWriter {
public:
    MapWriter(GDALDataset& dataset, Placement placement)
        : dataset_(dataset), placement_(placement) {}

    OGRLayer& createLayer(const char* name, const OGRSpatialReference* crs, OGRwkbGeometryType type,
                          const std::vector<const std::vector<Field>*>& fields,
                          const std::vector<std::string>& options = {}) {
        std::vector<const char*> optionList;
        for (const std::string& option : options) {
            optionList.push_back(option.c_str());
        }
        optionList.push_back(nullptr);
        OGRLayer* layer = dataset_.CreateLayer(name, const_cast<OGRSpatialReference*>(crs), type,
                                               const_cast<char**>(optionList.data()));
        if (layer == nullptr) {
            throw GeoError(GdalSession::lastError(std::string("cannot create the layer ") + name));
        }
        for (const auto* set : fields) {
            for (const Field& field : *set) {
                OGRFieldDefn definition(field.name, field.type);
                check(layer->CreateField(&definition), field.name);
            }
        }
        return *layer;
    }

    void writePoints(OGRLayer& layer, const std::vector<MappedPoint>& points) {
        for (const MappedPoint& mapped : points) {
            const SurveyPoint& point = mapped.point;
            OGRFeature feature(layer.GetLayerDefn());
            feature.SetField("電算No", point.number.c_str());
            feature.SetField("測点名", point.name.c_str());
            feature.SetField("X", point.xy.x);
            feature.SetField("Y", point.xy.y);
            if (point.elevation) {
                feature.SetField("標高", *point.elevation);
            } else {
                feature.SetFieldNull(feature.GetFieldIndex("標高"));
            }
            feature.SetField("経度", mapped.place.longitude);
            feature.SetField("緯度", mapped.place.latitude);
            if (layer.GetGeomType() != wkbNone) {
                OGRPoint geometry = geometryAt(point.xy, mapped.place, placement_);
                feature.SetGeometry(&geometry);
            }
            check(layer.CreateFeature(&feature), "cannot write point " + point.number);
        }
    }

    void writeParcels(OGRLayer& layer, const std::vector<MappedParcel>& parcels) {
        for (const MappedParcel& mapped : parcels) {
            const coords::Parcel& parcel = mapped.parcel;
            OGRFeature feature(layer.GetLayerDefn());
            feature.SetField("番号", parcel.number.c_str());
            feature.SetField("名称", parcel.name.c_str());
            feature.SetField("点数", static_cast<int>(parcel.corners.size()));
            feature.SetField("面積", mapped.area);
            feature.SetField("周長", mapped.perimeter);
            OGRLinearRing ring;
            for (size_t i = 0; i < parcel.corners.size(); ++i) {
                const SurveyXY xy{parcel.corners[i].x, parcel.corners[i].y};
                const OGRPoint corner = geometryAt(xy, mapped.corners[i], placement_);
                ring.addPoint(&corner);
            }
            ring.closeRings();
            OGRPolygon outline;
            outline.addRing(&ring);
            feature.SetGeometry(&outline);
            check(layer.CreateFeature(&feature), "cannot write parcel " + parcel.number);
        }
    }

private:
    GDALDataset& dataset_;
    Placement placement_;
};

// The layers "points" and "parcels" in `crs`.
void writePointAndParcelLayers(GDALDataset& dataset, const OGRSpatialReference& crs,
                               Placement placement, const SurveyMap& map,
                               const std::vector<std::string>& options = {}) {
    MapWriter writer(dataset, placement);
    writer.writePoints(writer.createLayer("points", &crs, wkbPoint, {&kPointFields}, options),
                       map.points);
    writer.writeParcels(writer.createLayer("parcels", &crs, wkbPolygon, {&kParcelFields}, options),
                        map.parcels);
}

// The layers of each format; a GeoJSON file holds one collection, so points and parcels share it.
void writeLayers(GDALDataset& dataset, GisFormat format, const SurveyMap& map, CsvEncoding encoding,
                 const std::string& collection) {
    switch (format) {
        case GisFormat::GeoJson: {
            const OGRSpatialReference wgs84 = gisCrs(kWgs84);
            MapWriter writer(dataset, Placement::LonLat);
            // RFC 7946. Nine decimals of a degree are about 0.1 mm on the ground; numbers have the
            // 15 significant digits of every writer here, so that areas read as
            // `zelanto-cli parcels` prints them.
            OGRLayer& layer = writer.createLayer(
                collection.c_str(), &wgs84, wkbUnknown, {&kPointFields, &kParcelFields},
                {"RFC7946=YES", "COORDINATE_PRECISION=9", "SIGNIFICANT_FIGURES=15"});
            writer.writePoints(layer, map.points);
            writer.writeParcels(layer, map.parcels);
            return;
        }
        case GisFormat::Kml:
            writePointAndParcelLayers(dataset, gisCrs(kWgs84), Placement::LonLat, map);
            return;
        case GisFormat::GeoPackage:
            // Without the R-tree spatial index: GDAL 3.6 takes longer to build it for 50,000
            // points (about 0.5 s) than to write them, and GIS programs read the layers without
            // it (QGIS adds one on request).
            writePointAndParcelLayers(dataset, gisCrs(map.zone.epsgCode()), Placement::Zone, map,
                                      {"SPATIAL_INDEX=NO"});
            return;
        case GisFormat::Csv: {
            MapWriter writer(dataset, Placement::Zone);
            std::vector<std::string> options = {"LINEFORMAT=CRLF"};
            if (encoding == CsvEncoding::Utf8) {
                // Without the mark, spreadsheet programs on Windows read the file as code page 932.
                options.push_back("WRITE_BOM=YES");
            }
            writer.writePoints(
                writer.createLayer("points", nullptr, wkbNone, {&kPointFields}, options),
                map.points);
            return;
        }
    }
}

}  // namespace

std::optional<GisFormat> gisFormatOf(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const FormatName& name : kFormats) {
        if (extension == name.extension) {
            return name.format;
        }
    }
    return std::nullopt;
}

void writeGisFile(const std::filesystem::path& file, GisFormat format, const SurveyMap& map,
                  CsvEncoding encoding) {
    const GdalSession session;
    const FormatName& name = nameOf(format);
    const std::string inMemory = std::string("out") + name.extension;
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(name.driver);
    if (driver == nullptr) {
        throw GeoError(std::string("GDAL has no driver ") + name.driver);
    }
    Dataset dataset(
        driver->Create(session.memoryPath(inMemory).c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!dataset) {
        throw GeoError(GdalSession::lastError("cannot create the file"));
    }
    const bool transaction = dataset->StartTransaction() == OGRERR_NONE;
    writeLayers(*dataset, format, map, encoding, file.stem().string());
    if (transaction) {
        check(dataset->CommitTransaction(), "cannot commit");
    }
    CPLErrorReset();
    dataset.reset();
    if (CPLGetLastErrorType() >= CE_Failure) {
        throw GeoError(GdalSession::lastError("cannot close the file"));
    }
    std::string bytes = session.memoryFile(inMemory);
    if (format == GisFormat::Csv && encoding == CsvEncoding::Cp932) {
        bytes = base::toAnsi(bytes);
    }
    base::writeFileAtomically(file, bytes);
}

}  // namespace zelanto::geo

#include "geo/gis_file.h"

#include <cpl_error.h>
#include <cpl_vsi.h>
#include <gdal.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>

#include "base/atomic_file.h"
#include "base/code_page_932.h"
#include "base/text.h"
#include "coords/sim_reader.h"
#include "geo/plane_zone.h"

namespace zelanto::geo {
namespace {

struct DatasetCloser {
    void operator()(GDALDataset* dataset) const { GDALClose(dataset); }
};
using Dataset = std::unique_ptr<GDALDataset, DatasetCloser>;

Dataset openVector(const std::filesystem::path& file, const std::vector<std::string>& options) {
    std::vector<const char*> optionList;
    for (const std::string& option : options) {
        optionList.push_back(option.c_str());
    }
    optionList.push_back(nullptr);
    Dataset dataset(GDALDataset::Open(file.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr,
                                      optionList.data(), nullptr));
    if (!dataset) {
        throw GisReadError(GisReadError::Problem::CannotOpen, {},
                           GdalSession::lastError("not a file GDAL reads"));
    }
    return dataset;
}

// The columns of a CSV file that GDAL's CSV driver is told to make points of, the easting (or
// longitude) first: survey X is northwards, as in a SIM file and in ZELANTO's own CSV.
struct CsvColumns {
    const char* easting;
    const char* northing;
    bool lonLat;
};
constexpr CsvColumns kCsvColumns[] = {
    {"Y", "X", false},      {"Y座標", "X座標", false},
    {"経度", "緯度", true}, {"longitude", "latitude", true},
    {"lon", "lat", true},
};

// A CSV file opened with the columns it has for points; `lonLat` tells whether they are
// longitudes and latitudes.
Dataset openCsv(const std::filesystem::path& file, Dataset plain, bool& lonLat) {
    OGRFeatureDefn* fields = plain->GetLayer(0)->GetLayerDefn();
    for (const CsvColumns& columns : kCsvColumns) {
        // OGR compares field names without regard to case.
        if (fields->GetFieldIndex(columns.easting) >= 0 &&
            fields->GetFieldIndex(columns.northing) >= 0) {
            lonLat = columns.lonLat;
            plain.reset();
            return openVector(file, {std::string("X_POSSIBLE_NAMES=") + columns.easting,
                                     std::string("Y_POSSIBLE_NAMES=") + columns.northing});
        }
    }
    return plain;
}

// GIS files store easting (or longitude) first, whatever the CRS's own axis order.
OGRSpatialReference gisLonLatCrs() {
    OGRSpatialReference crs;
    crs.SetFromUserInput(kLonLatCrs);
    crs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return crs;
}

// One layer's points and outlines: their coordinates gathered as the file has them, then
// converted to the zone in one go.
class LayerReader {
public:
    LayerReader(OGRLayer& layer, const GisReadOptions& options,
                const OGRSpatialReference* fallbackCrs)
        : layer_(layer), options_(options), crs_(layer.GetSpatialRef()) {
        if (crs_ == nullptr) {
            crs_ = fallbackCrs;
        }
    }

    void readInto(GisContent& content) {
        for (const auto& feature : layer_) {
            const FeatureRef ref{layer_.GetName(), feature->GetFID()};
            const OGRGeometry* geometry = feature->GetGeometryRef();
            if (geometry == nullptr || geometry->IsEmpty()) {
                leaveOut(LeftOut::Kind::NoGeometry, ref);
                continue;
            }
            take(*geometry, *feature, ref);
        }
        const std::vector<SurveyXY> places = convertedPairs();
        for (size_t i = 0; i < points_.size(); ++i) {
            points_[i].xy = places[pointPairs_[i]];
            content.points.push_back(std::move(points_[i]));
        }
        for (size_t i = 0; i < outlines_.size(); ++i) {
            const auto [first, count] = outlinePairs_[i];
            outlines_[i].corners.assign(places.begin() + static_cast<long>(first),
                                        places.begin() + static_cast<long>(first + count));
            content.outlines.push_back(std::move(outlines_[i]));
        }
        content.leftOut.insert(content.leftOut.end(), leftOut_.begin(), leftOut_.end());
    }

private:
    void take(const OGRGeometry& geometry, const OGRFeature& feature, const FeatureRef& ref) {
        switch (wkbFlatten(geometry.getGeometryType())) {
            case wkbPoint:
                takePoint(*geometry.toPoint(), feature, ref);
                return;
            case wkbPolygon:
                takePolygon(*geometry.toPolygon(), feature, ref);
                return;
            case wkbMultiPoint:
            case wkbMultiPolygon:
            case wkbGeometryCollection:
                for (const OGRGeometry* part : *geometry.toGeometryCollection()) {
                    take(*part, feature, ref);
                }
                return;
            default:
                leaveOut(LeftOut::Kind::Line, ref);
        }
    }

    void takePoint(const OGRPoint& point, const OGRFeature& feature, const FeatureRef& ref) {
        GisPoint taken;
        taken.feature = ref;
        taken.number = text(feature, options_.fields.number);
        taken.name = text(feature, options_.fields.name);
        if (options_.fields.elevation) {
            taken.elevation = elevation(feature, *options_.fields.elevation, ref);
        } else if (point.Is3D()) {
            taken.elevation = point.getZ();
        }
        pointPairs_.push_back(addPair(point.getX(), point.getY(), ref));
        points_.push_back(std::move(taken));
    }

    void takePolygon(const OGRPolygon& polygon, const OGRFeature& feature, const FeatureRef& ref) {
        for (int i = 0; i < polygon.getNumInteriorRings(); ++i) {
            leaveOut(LeftOut::Kind::Hole, ref);
        }
        const OGRLinearRing* ring = polygon.getExteriorRing();
        int corners = ring->getNumPoints();
        if (corners > 1 && ring->get_IsClosed()) {
            --corners;
        }
        if (corners < 3) {
            leaveOut(LeftOut::Kind::TooFewCorners, ref);
            return;
        }
        GisOutline outline;
        outline.feature = ref;
        const auto& numberField =
            options_.fields.parcelNumber ? options_.fields.parcelNumber : options_.fields.number;
        const auto& nameField =
            options_.fields.parcelName ? options_.fields.parcelName : options_.fields.name;
        outline.number = text(feature, numberField);
        outline.name = text(feature, nameField);
        const size_t first = pairs_.size();
        for (int i = 0; i < corners; ++i) {
            addPair(ring->getX(i), ring->getY(i), ref);
        }
        outlinePairs_.emplace_back(first, static_cast<size_t>(corners));
        outlines_.push_back(std::move(outline));
    }

    int fieldIndex(const std::string& field) const {
        const int index = layer_.GetLayerDefn()->GetFieldIndex(field.c_str());
        if (index < 0) {
            GisReadError error(GisReadError::Problem::NoSuchField, {layer_.GetName(), 0}, field);
            for (int i = 0; i < layer_.GetLayerDefn()->GetFieldCount(); ++i) {
                error.fields.emplace_back(layer_.GetLayerDefn()->GetFieldDefn(i)->GetNameRef());
            }
            throw error;
        }
        return index;
    }

    std::optional<std::string> text(const OGRFeature& feature,
                                    const std::optional<std::string>& field) const {
        if (!field) {
            return std::nullopt;
        }
        const int index = fieldIndex(*field);
        return feature.IsFieldSetAndNotNull(index) ? feature.GetFieldAsString(index) : "";
    }

    std::optional<double> elevation(const OGRFeature& feature, const std::string& field,
                                    const FeatureRef& ref) const {
        const int index = fieldIndex(field);
        if (!feature.IsFieldSetAndNotNull(index)) {
            return std::nullopt;
        }
        const OGRFieldType type = feature.GetFieldDefnRef(index)->GetType();
        if (type == OFTReal || type == OFTInteger || type == OFTInteger64) {
            return feature.GetFieldAsDouble(index);
        }
        const std::string found = feature.GetFieldAsString(index);
        if (base::trimBlanks(found).empty()) {
            return std::nullopt;
        }
        if (const auto value = coords::coordinateFromText(found)) {
            return value;
        }
        throw GisReadError(GisReadError::Problem::NotANumber, ref, found);
    }

    size_t addPair(double x, double y, const FeatureRef& ref) {
        pairs_.push_back({x, y});
        pairFeatures_.push_back(ref);
        return pairs_.size() - 1;
    }

    void leaveOut(LeftOut::Kind kind, const FeatureRef& ref) {
        const auto same = std::find_if(leftOut_.begin(), leftOut_.end(),
                                       [&](const LeftOut& left) { return left.kind == kind; });
        if (same != leftOut_.end()) {
            ++same->count;
        } else {
            leftOut_.push_back({kind, ref, 1});
        }
    }

    // The gathered pairs in the zone: through PROJ from the layer's CRS, or as they are where the
    // layer has none and is taken to be in the zone.
    std::vector<SurveyXY> convertedPairs() {
        std::vector<SurveyXY> places;
        places.reserve(pairs_.size());
        if (pairs_.empty()) {
            return places;
        }
        if (crs_ == nullptr) {
            if (!options_.assumeZone) {
                throw GisReadError(GisReadError::Problem::NoCrs, pairFeatures_.front(), "");
            }
            for (const CrsPair& pair : pairs_) {
                places.push_back({pair[1], pair[0]});
            }
            return places;
        }
        toCrsOrder();
        char* wkt = nullptr;
        const char* const wktOptions[] = {"FORMAT=WKT2_2019", nullptr};
        crs_->exportToWkt(&wkt, wktOptions);
        const std::string definition = wkt != nullptr ? wkt : "";
        CPLFree(wkt);
        const CoordinateOperation operation(definition, options_.zone.crsName());
        try {
            operation.convert(pairs_);
        } catch (const PointNotConverted& failure) {
            throw GisReadError(GisReadError::Problem::NotConverted, pairFeatures_[failure.index()],
                               "");
        }
        for (const CrsPair& pair : pairs_) {
            places.push_back({pair[0], pair[1]});  // the zone's own order: X, Y
        }
        return places;
    }

    // The pairs as the file stores them (its data axes) into the CRS's own axis order.
    void toCrsOrder() {
        const std::vector<int> mapping = crs_->GetDataAxisToSRSAxisMapping();
        if (mapping.size() < 2) {
            return;
        }
        for (CrsPair& pair : pairs_) {
            CrsPair ordered = pair;
            for (size_t axis = 0; axis < 2; ++axis) {
                const int to = std::abs(mapping[axis]) - 1;
                if (to < 2) {
                    ordered[static_cast<size_t>(to)] = mapping[axis] < 0 ? -pair[axis] : pair[axis];
                }
            }
            pair = ordered;
        }
    }

    OGRLayer& layer_;
    const GisReadOptions& options_;
    const OGRSpatialReference* crs_;
    std::vector<CrsPair> pairs_;
    std::vector<FeatureRef> pairFeatures_;
    std::vector<GisPoint> points_;
    std::vector<size_t> pointPairs_;
    std::vector<GisOutline> outlines_;
    std::vector<std::pair<size_t, size_t>> outlinePairs_;
    std::vector<LeftOut> leftOut_;
};

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

GdalSession::GdalSession() {
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
    static std::atomic<unsigned> sessions = 0;
    folder_ = "/vsimem/zelanto-" + std::to_string(getpid()) + "-" + std::to_string(++sessions);
    // Drivers that write beside a file (CSV) look for its folder.
    VSIMkdir(folder_.c_str(), 0755);
}

GdalSession::~GdalSession() {
    VSIRmdirRecursive(folder_.c_str());
    CPLPopErrorHandler();
}

std::string GdalSession::lastError(const std::string& fallback) {
    const char* message = CPLGetLastErrorMsg();
    return message != nullptr && *message != '\0' ? message : fallback;
}

std::string GdalSession::memoryPath(const std::string& name) const {
    return folder_ + "/" + name;
}

std::string GdalSession::memoryFile(const std::string& name) const {
    vsi_l_offset size = 0;
    const GByte* bytes = VSIGetMemFileBuffer(memoryPath(name).c_str(), &size, FALSE);
    if (bytes == nullptr) {
        throw GeoError("GDAL wrote no " + name);
    }
    return std::string(reinterpret_cast<const char*>(bytes), static_cast<size_t>(size));
}

GisReadError::GisReadError(Problem problem, FeatureRef feature, std::string detail)
    : GeoError(feature.layer + ": " + detail),
      problem_(problem),
      feature_(std::move(feature)),
      detail_(std::move(detail)) {}

GisContent readGisFile(const std::filesystem::path& file, const GisReadOptions& options) {
    const GdalSession session;
    Dataset dataset = openVector(file, {});
    bool lonLatColumns = false;
    if (std::string(dataset->GetDriver()->GetDescription()) == "CSV") {
        dataset = openCsv(file, std::move(dataset), lonLatColumns);
    }
    const OGRSpatialReference lonLat = gisLonLatCrs();
    GisContent content;
    for (OGRLayer* layer : dataset->GetLayers()) {
        LayerReader(*layer, options, lonLatColumns ? &lonLat : nullptr).readInto(content);
    }
    return content;
}

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

#include "geo/gis_reader.h"
#include "base/text.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <memory>

#include "coords/sim_reader.h"
#include "geo/gdal_session.h"

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

}  // namespace

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

}  // namespace zelanto::geo

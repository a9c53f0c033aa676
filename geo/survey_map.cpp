#include "geo/survey_map.h"
#include "base/text.h"

#include "coords/parcel_measure.h"
#include "coords/sim_reader.h"

namespace zelanto::geo {
namespace {

std::optional<double> elevationOf(const coords::SimCoordinate& elevation) {
    if (base::trimBlanks(elevation.item.text).empty()) {
        return std::nullopt;
    }
    return elevation.number();
}

}  // namespace

SurveyFile readSurveyFile(const std::filesystem::path& file) {
    coords::SimImport reader(file);
    reader.skipToFirstPoint();
    SurveyFile survey;
    std::vector<SurveyPoint>& points = survey.points;
    for (bool last = false; !last;) {
        const coords::SimPoint read = reader.readPoint();
        SurveyPoint point;
        point.number = read.number.text;
        point.name = read.name.text;
        point.xy = {read.x.number(), read.y.number()};
        point.elevation = elevationOf(read.elevation);
        points.push_back(std::move(point));
        last = read.last;
    }
    survey.parcels = reader.finish();
    return survey;
}

SurveyMap mapSurvey(PlaneZone zone, const std::vector<SurveyPoint>& points,
                    std::vector<coords::Parcel> parcels) {
    const ZoneToLonLat toLonLat(zone);
    SurveyMap map;
    map.zone = zone;
    map.zoneArea = toLonLat.zoneArea();

    std::vector<SurveyXY> places;
    places.reserve(points.size());
    for (const SurveyPoint& point : points) {
        places.push_back(point.xy);
    }
    const std::vector<LonLat> lonLats = toLonLat.convert(places);
    map.accuracy = toLonLat.lastAccuracy();
    map.points.reserve(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        if (!map.zoneArea.contains(lonLats[i])) {
            ++map.pointsOutside;
            if (!map.firstOutside) {
                map.firstOutside = i;
            }
        }
        map.points.push_back({points[i], lonLats[i]});
    }

    for (coords::Parcel& parcel : parcels) {
        std::vector<SurveyXY> corners;
        for (const coords::ParcelCorner& corner : parcel.corners) {
            corners.push_back({corner.x, corner.y});
        }
        MappedParcel mapped;
        try {
            mapped.corners = toLonLat.convert(corners);
        } catch (const PointNotConverted& failure) {
            throw GeoError("parcel " + parcel.number + ": corner " +
                           std::to_string(failure.index() + 1) + " not converted");
        }
        mapped.area = coords::parcelArea(parcel);
        mapped.perimeter = coords::parcelPerimeter(parcel);
        mapped.parcel = std::move(parcel);
        map.parcels.push_back(std::move(mapped));
    }
    return map;
}

}  // namespace zelanto::geo

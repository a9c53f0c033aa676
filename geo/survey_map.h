#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "coords/sim_import.h"
#include "geo/plane_zone.h"

namespace zelanto::geo {

// A point of a SIM file as `export` writes it: number and name as read, coordinates as the
// numbers they read as.
struct SurveyPoint {
    std::string number;
    std::string name;
    SurveyXY xy;
    std::optional<double> elevation;  // nothing for an empty elevation item
};

// The points of a SIM file and, from the same pass, its parcels.
struct SurveyFile {
    std::vector<SurveyPoint> points;
    coords::ImportedParcels parcels;
};

// Every point of a SIM file, read as the import reads them, up to its "A99". There is no sheet to
// fill here, so nothing is left out after 50,000 points. Throws coords::SimReadError.
SurveyFile readSurveyFile(const std::filesystem::path& file);

struct MappedPoint {
    SurveyPoint point;
    LonLat place;
};

struct MappedParcel {
    coords::Parcel parcel;
    std::vector<LonLat> corners;  // in the parcel's order
    double area = 0;              // from our own measure, as `zelanto-cli parcels` prints it
    double perimeter = 0;
};

// The points and parcels of a SIM file with their longitudes and latitudes (JGD2011).
struct SurveyMap {
    PlaneZone zone;
    std::vector<MappedPoint> points;
    std::vector<MappedParcel> parcels;
    AreaOfUse zoneArea;
    // The points outside the zone's area of use: how many, and the index of the first.
    size_t pointsOutside = 0;
    std::optional<size_t> firstOutside;
    // The accuracy PROJ states for its conversion of the last point, in metres.
    std::optional<double> accuracy;
};

// Throws PointNotConverted with the index of a point PROJ could not convert, GeoError for a parcel
// corner.
SurveyMap mapSurvey(PlaneZone zone, const std::vector<SurveyPoint>& points,
                    std::vector<coords::Parcel> parcels);

}  // namespace zelanto::geo

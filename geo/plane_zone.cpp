#include "geo/plane_zone.h"

#include <proj.h>
#include <array>
#include <cmath>

namespace zelanto::geo {
namespace {

constexpr std::array<const char*, PlaneZone::kLast> kRomanNumbers = {
    "I",  "II",  "III",  "IV",  "V",  "VI",  "VII",  "VIII",  "IX",  "X",
    "XI", "XII", "XIII", "XIV", "XV", "XVI", "XVII", "XVIII", "XIX",
};

struct DatumName {
    Datum datum;
    const char* option;
    const char* display;
    int firstEpsgCode;  // the code of its zone I; zones II to XIX follow it
};

constexpr std::array<DatumName, 3> kDatums = {{
    {Datum::Jgd2011, "jgd2011", "JGD2011", 6669},
    {Datum::Jgd2000, "jgd2000", "JGD2000", 2443},
    {Datum::Tokyo, "tokyo", "旧日本測地系", 30161},
}};

const DatumName& nameOf(Datum datum) {
    for (const DatumName& name : kDatums) {
        if (name.datum == datum) {
            return name;
        }
    }
    return kDatums.front();
}

struct ContextDeleter {
    void operator()(PJ_CONTEXT* context) const { proj_context_destroy(context); }
};
struct ObjectDeleter {
    void operator()(PJ* object) const { proj_destroy(object); }
};
using Context = std::unique_ptr<PJ_CONTEXT, ContextDeleter>;
using Object = std::unique_ptr<PJ, ObjectDeleter>;

std::string lastError(PJ_CONTEXT* context) {
    return proj_context_errno_string(context, proj_context_errno(context));
}

Object createCrs(PJ_CONTEXT* context, const std::string& definition) {
    Object crs(proj_create(context, definition.c_str()));
    if (!crs || !proj_is_crs(crs.get())) {
        throw GeoError("PROJ: not a CRS: " + definition.substr(0, 80) + ": " + lastError(context));
    }
    return crs;
}

}  // namespace

int PlaneZone::epsgCode() const {
    return nameOf(datum).firstEpsgCode + number - kFirst;
}

std::string PlaneZone::crsName() const {
    return "EPSG:" + std::to_string(epsgCode());
}

std::string PlaneZone::displayName() const {
    return std::string(nameOf(datum).display) + " 第" + kRomanNumbers.at(number - kFirst) + "系";
}

std::optional<Datum> datumNamed(std::string_view name) {
    for (const DatumName& datum : kDatums) {
        if (name == datum.option) {
            return datum.datum;
        }
    }
    return std::nullopt;
}

bool AreaOfUse::contains(const LonLat& place) const {
    const bool inLatitude = place.latitude >= south && place.latitude <= north;
    // A box that crosses the antimeridian has its west edge east of its east edge.
    const bool inLongitude = west <= east ? place.longitude >= west && place.longitude <= east
                                          : place.longitude >= west || place.longitude <= east;
    return inLatitude && inLongitude;
}

struct CoordinateOperation::Handles {
    Context context{proj_context_create()};
    Object source;
    Object operation;
};

CoordinateOperation::CoordinateOperation(const std::string& source, const std::string& target)
    : handles_(std::make_unique<Handles>()) {
    PJ_CONTEXT* context = handles_->context.get();
    // Failures come back as values and are reported by the caller, not printed by PROJ.
    proj_log_level(context, PJ_LOG_NONE);
    handles_->source = createCrs(context, source);
    const Object targetCrs = createCrs(context, target);
    handles_->operation.reset(proj_create_crs_to_crs_from_pj(context, handles_->source.get(),
                                                             targetCrs.get(), nullptr, nullptr));
    if (!handles_->operation) {
        throw GeoError("PROJ: no operation from " + source.substr(0, 80) + " to " +
                       target.substr(0, 80) + ": " + lastError(context));
    }
}

CoordinateOperation::~CoordinateOperation() = default;

void CoordinateOperation::convert(std::vector<CrsPair>& pairs) const {
    if (pairs.empty()) {
        return;
    }
    constexpr size_t stride = sizeof(CrsPair);
    proj_trans_generic(handles_->operation.get(), PJ_FWD, &pairs[0][0], stride, pairs.size(),
                       &pairs[0][1], stride, pairs.size(), nullptr, 0, 0, nullptr, 0, 0);
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (!std::isfinite(pairs[i][0]) || !std::isfinite(pairs[i][1])) {
            throw PointNotConverted(i);
        }
    }
}

AreaOfUse CoordinateOperation::sourceArea() const {
    AreaOfUse area;
    const char* name = nullptr;
    if (proj_get_area_of_use(handles_->context.get(), handles_->source.get(), &area.west,
                             &area.south, &area.east, &area.north, &name)) {
        area.name = name != nullptr ? name : "";
    }
    return area;
}

std::optional<double> CoordinateOperation::lastAccuracy() const {
    const Object used(proj_trans_get_last_used_operation(handles_->operation.get()));
    if (!used) {
        return std::nullopt;
    }
    const double accuracy = proj_coordoperation_get_accuracy(handles_->context.get(), used.get());
    if (accuracy < 0) {
        return std::nullopt;
    }
    return accuracy;
}

std::vector<LonLat> ZoneToLonLat::convert(const std::vector<SurveyXY>& points) const {
    std::vector<CrsPair> pairs;
    pairs.reserve(points.size());
    for (const SurveyXY& point : points) {
        pairs.push_back({point.x, point.y});
    }
    operation_.convert(pairs);
    std::vector<LonLat> places;
    places.reserve(pairs.size());
    for (const CrsPair& pair : pairs) {
        places.push_back({pair[1], pair[0]});  // latitude first
    }
    return places;
}

}  // namespace zelanto::geo

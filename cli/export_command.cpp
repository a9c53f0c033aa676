#include <cmath>
#include <iomanip>
#include <sstream>

#include "base/atomic_file.h"
#include "base/decimal_number.h"
#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "coords/sim_file.h"
#include "geo/gis_writer.h"
#include "geo/survey_map.h"

namespace zelanto::cli {
namespace {

// "3 点目（電算No「3」、測点名「P3」）".
std::string pointText(const geo::SurveyPoint& point, size_t index) {
    return std::to_string(index + 1) + " 点目（電算No「" + point.number + "」、測点名「" +
           point.name + "」）";
}

std::string degrees(double value) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(2) << value;
    return text.str();
}

// The zone comes from the user: points outside where the zone is meant to be used are said once,
// with the likely causes.
void warnOutsideZone(const geo::SurveyMap& map, const std::filesystem::path& file,
                     std::ostream& err) {
    if (map.pointsOutside == 0) {
        return;
    }
    const geo::MappedPoint& first = map.points[*map.firstOutside];
    const geo::AreaOfUse& area = map.zoneArea;
    err << "zelanto-cli: " << file.string() << ": " << map.points.size() << " 点のうち "
        << map.pointsOutside << " 点が " << map.zone.displayName() << "（" << map.zone.crsName()
        << "）の適用範囲（経度 " << degrees(area.west) << "〜" << degrees(area.east) << "、緯度 "
        << degrees(area.south) << "〜" << degrees(area.north) << "）の外にあります。最初は "
        << pointText(first.point, *map.firstOutside) << "、X " << base::numberText(first.point.xy.x)
        << "、Y " << base::numberText(first.point.xy.y) << " → 経度 "
        << degrees(first.place.longitude) << "、緯度 " << degrees(first.place.latitude)
        << "。系の番号が違うか、X と Y が入れ替わっていないか確かめてください\n";
}

void warnTokyoDatum(const geo::SurveyMap& map, std::ostream& err) {
    err << "zelanto-cli: 旧日本測地系から経度緯度（JGD2011）へは、格子ファイル（TKY2JGD）が"
           "なければ PROJ は測地系の変換パラメータで変換するため、誤差は 1 m 程度かそれ以上"
           "あります";
    if (map.accuracy) {
        err << "（PROJ の示す精度 " << base::numberText(std::round(*map.accuracy * 100) / 100)
            << " m）";
    }
    err << '\n';
}

void writeMap(const ExportArguments& arguments, const geo::SurveyMap& map) {
    try {
        geo::writeGisFile(arguments.out, arguments.format, map, arguments.encoding);
    } catch (const geo::GeoError& error) {
        throw base::FileError(arguments.out, std::string("GDAL: ") + error.what());
    }
}

}  // namespace

int runExport(const ExportArguments& arguments, std::ostream& out, std::ostream& err) {
    if (const auto refusal = coords::simFileRefusal(arguments.file)) {
        return rejectSimFile(arguments.file, *refusal, err);
    }
    geo::SurveyFile survey;
    try {
        survey = geo::readSurveyFile(arguments.file);
    } catch (const coords::SimReadError& error) {
        return reportReadFailure(error, err);
    }
    const std::vector<geo::SurveyPoint>& points = survey.points;
    geo::SurveyMap map;
    try {
        map = geo::mapSurvey(arguments.zone, points,
                             parcelsWithWarnings(arguments.file, survey.parcels, err));
    } catch (const geo::PointNotConverted& failure) {
        err << "zelanto-cli: " << arguments.file.string() << ": "
            << pointText(points[failure.index()], failure.index()) << "の X・Y は "
            << arguments.zone.displayName() << " から経度緯度に変換できません\n";
        return kReadFailure;
    } catch (const geo::GeoError& error) {
        err << "zelanto-cli: " << arguments.file.string() << ": 座標を変換できません（"
            << error.what() << "）\n";
        return kReadFailure;
    }
    warnOutsideZone(map, arguments.file, err);
    if (arguments.zone.datum == geo::Datum::Tokyo) {
        warnTokyoDatum(map, err);
    }
    return guardWrites(err, [&] {
        writeMap(arguments, map);
        out << arguments.out.string() << ": " << map.points.size() << " 点";
        if (arguments.format == geo::GisFormat::Csv) {
            out << "を書き出しました";
            if (!map.parcels.empty()) {
                out << "（画地 " << map.parcels.size() << " 件は CSV には書き出しません）";
            }
        } else {
            out << "、" << map.parcels.size() << " 画地を書き出しました";
        }
        out << '\n';
        return kSuccess;
    });
}

}  // namespace zelanto::cli

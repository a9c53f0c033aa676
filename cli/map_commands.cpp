#include <cmath>
#include <iomanip>
#include <sstream>

#include "base/atomic_file.h"
#include "base/decimal_number.h"
#include "cli/commands.h"
#include "coords/sim_file.h"
#include "geo/gis_file.h"
#include "geo/sim_content.h"
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

// "レイヤー「parcels」の地物 3".
std::string featureText(const geo::FeatureRef& feature) {
    return "レイヤー「" + feature.layer + "」の地物 " + std::to_string(feature.fid);
}

std::string joined(const std::vector<std::string>& texts) {
    std::string list;
    for (const std::string& text : texts) {
        list += (list.empty() ? "" : "、") + text;
    }
    return list;
}

int reportGisReadError(const TosimArguments& arguments, const geo::GisReadError& error,
                       std::ostream& err) {
    using Problem = geo::GisReadError::Problem;
    err << "zelanto-cli: " << arguments.file.string() << ": ";
    switch (error.problem()) {
        case Problem::CannotOpen:
            err << "GIS のファイルとして開けません（" << error.detail() << "）\n";
            return kReadFailure;
        case Problem::NoCrs:
            err << "レイヤー「" << error.feature().layer
                << "」に座標参照系がありません（その座標がすでに " << arguments.zone.displayName()
                << " の座標なら --assume-zone を指定）\n";
            return kReadFailure;
        case Problem::NoSuchField:
            err << "レイヤー「" << error.feature().layer << "」にフィールド「" << error.detail()
                << "」がありません（あるのは " << joined(error.fields) << "）\n";
            return kUsage;
        case Problem::NotConverted:
            err << featureText(error.feature()) << " の座標は " << arguments.zone.displayName()
                << " に変換できません\n";
            return kReadFailure;
        case Problem::NotANumber:
            err << featureText(error.feature()) << " の標高「" << error.detail()
                << "」は数値ではありません（数値を期待）\n";
            return kReadFailure;
    }
    return kReadFailure;
}

std::string leftOutText(geo::LeftOut::Kind kind) {
    switch (kind) {
        case geo::LeftOut::Kind::NoGeometry:
            return "形状のない地物";
        case geo::LeftOut::Kind::Line:
            return "点でも面でもない形状（線など）";
        case geo::LeftOut::Kind::Hole:
            return "面の穴（内側の輪）";
        case geo::LeftOut::Kind::TooFewCorners:
            return "頂点が 3 点に満たない面";
    }
    return "";
}

void warnLeftOut(const TosimArguments& arguments, const geo::GisContent& content,
                 std::ostream& err) {
    for (const geo::LeftOut& left : content.leftOut) {
        err << "zelanto-cli: " << arguments.file.string() << ": レイヤー「" << left.first.layer
            << "」の" << leftOutText(left.kind) << " " << left.count
            << " 件は SIM ファイルに書けないため除きました（最初は地物 " << left.first.fid
            << "）\n";
    }
}

std::string characterText(const std::string& character) {
    if (character == "\r" || character == "\n") {
        return "改行";
    }
    return "文字「" + character + "」";
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

int runTosim(const TosimArguments& arguments, std::ostream& out, std::ostream& err) {
    geo::GisContent content;
    geo::SimContent sim;
    try {
        content = geo::readGisFile(arguments.file,
                                   {arguments.zone, arguments.fields, arguments.assumeZone});
        warnLeftOut(arguments, content, err);
        if (content.points.empty() && content.outlines.empty()) {
            err << "zelanto-cli: " << arguments.file.string() << ": 点も面もありません\n";
            return kNoPlottableData;
        }
        sim = geo::simContentOf(content);
    } catch (const geo::GisReadError& error) {
        return reportGisReadError(arguments, error, err);
    } catch (const geo::UnwritableText& error) {
        err << "zelanto-cli: " << arguments.file.string() << ": " << featureText(error.feature)
            << " の" << error.field << "「" << error.text << "」の"
            << characterText(error.character)
            << "は SIM ファイル（シフトJIS、コードページ932）に書けません\n";
        return kReadFailure;
    } catch (const geo::GeoError& error) {
        err << "zelanto-cli: " << arguments.file.string() << ": " << arguments.zone.displayName()
            << " に変換できません（" << error.what() << "）\n";
        return kReadFailure;
    }
    return guardWrites(err, [&] {
        coords::writeSimFile(arguments.out, sim.points, sim.parcels);
        out << arguments.out.string() << ": " << sim.points.size() << " 点";
        if (sim.cornerPoints > 0) {
            out << "（うち画地の構成点として加えた点 " << sim.cornerPoints << "）";
        }
        out << "、" << sim.parcels.size() << " 画地を書き出しました\n";
        return kSuccess;
    });
}

}  // namespace zelanto::cli

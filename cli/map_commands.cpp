#include <algorithm>
#include <charconv>
#include <cmath>
#include <iomanip>
#include <sstream>

#include "base/atomic_file.h"
#include "base/decimal_number.h"
#include "cli/commands.h"
#include "cli/map_commands.h"
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

// What the map commands share: the file, --zone, --datum and --out, each once, the zone and the
// output required.
class MapArguments {
public:
    MapArguments(ArgumentList& list, const std::string& command) : list_(list), command_(command) {}

    // Takes `argument` when it is one of the shared ones.
    bool take(const std::string& argument) {
        if (argument == "--zone") {
            setOnce(zone_, argument, list_.valueOf(argument));
        } else if (argument == "--datum") {
            setOnce(datum_, argument, list_.valueOf(argument));
        } else if (argument == "--out") {
            setOnce(out_, argument, list_.valueOf(argument));
        } else if (argument.starts_with("--")) {
            return false;
        } else {
            setOnce(file_, "入力ファイル", argument);
        }
        return true;
    }

    void finish(std::filesystem::path& file, geo::PlaneZone& zone, std::filesystem::path& out) {
        if (!file_) {
            throw UsageError(command_ + " には入力ファイルを一つ指定してください");
        }
        if (!zone_) {
            throw UsageError(command_ + " には --zone で平面直角座標系の系番号（1 から 19）を" +
                             "指定してください");
        }
        if (!out_) {
            throw UsageError(command_ + " には --out で書き出すファイルを指定してください");
        }
        file = *file_;
        zone.number = zoneNumber(*zone_);
        if (datum_) {
            const auto datum = geo::datumNamed(*datum_);
            if (!datum) {
                throw UsageError("測地系 " + *datum_ + " は使えません（jgd2011 jgd2000 tokyo）");
            }
            zone.datum = *datum;
        }
        out = *out_;
    }

private:
    static int zoneNumber(const std::string& text) {
        int number = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (error != std::errc() || end != text.data() + text.size() ||
            number < geo::PlaneZone::kFirst || number > geo::PlaneZone::kLast) {
            throw UsageError("系番号 " + text + " は使えません（1 から 19）");
        }
        return number;
    }

    ArgumentList& list_;
    std::string command_;
    std::optional<std::string> file_;
    std::optional<std::string> zone_;
    std::optional<std::string> datum_;
    std::optional<std::string> out_;
};

ExportArguments parseExport(ArgumentList& list) {
    ExportArguments exported;
    MapArguments shared(list, "export");
    std::optional<std::string> encoding;
    while (!list.done()) {
        const std::string& argument = list.take();
        if (shared.take(argument)) {
            continue;
        }
        if (argument == "--encoding") {
            setOnce(encoding, argument, list.valueOf(argument));
        } else {
            throw UsageError("知らないオプションです: " + argument);
        }
    }
    shared.finish(exported.file, exported.zone, exported.out);
    const auto format = geo::gisFormatOf(exported.out);
    if (!format) {
        throw UsageError("書き出す形式がわかりません: " + exported.out.string() +
                         "（.geojson .kml .gpkg .csv）");
    }
    exported.format = *format;
    if (encoding) {
        if (exported.format != geo::GisFormat::Csv) {
            throw UsageError("--encoding は CSV ファイルにだけ指定できます");
        }
        if (*encoding == "utf-8") {
            exported.encoding = geo::CsvEncoding::Utf8;
        } else if (*encoding != "cp932") {
            throw UsageError("文字コード " + *encoding + " は使えません（cp932 utf-8）");
        }
    }
    return exported;
}

TosimArguments parseTosim(ArgumentList& list) {
    TosimArguments tosim;
    MapArguments shared(list, "tosim");
    const std::pair<const char*, std::optional<std::string>*> fieldOptions[] = {
        {"--number", &tosim.fields.number},
        {"--name", &tosim.fields.name},
        {"--elevation", &tosim.fields.elevation},
        {"--parcel-number", &tosim.fields.parcelNumber},
        {"--parcel-name", &tosim.fields.parcelName},
    };
    while (!list.done()) {
        const std::string& argument = list.take();
        if (shared.take(argument)) {
            continue;
        }
        if (argument == "--assume-zone") {
            tosim.assumeZone = true;
            continue;
        }
        const auto option =
            std::find_if(std::begin(fieldOptions), std::end(fieldOptions),
                         [&](const auto& field) { return argument == field.first; });
        if (option == std::end(fieldOptions)) {
            throw UsageError("知らないオプションです: " + argument);
        }
        setOnce(*option->second, argument, list.valueOf(argument));
    }
    shared.finish(tosim.file, tosim.zone, tosim.out);
    return tosim;
}

}  // namespace

MapCommand parseMapArguments(const std::vector<std::string>& arguments) {
    ArgumentList list(arguments);
    const std::string& command = list.take();
    for (const auto& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            return HelpRequest{};
        }
    }
    if (command == "export") {
        return parseExport(list);
    }
    return parseTosim(list);
}

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

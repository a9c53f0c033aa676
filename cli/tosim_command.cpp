#include "base/atomic_file.h"
#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "geo/gis_reader.h"
#include "geo/sim_content.h"

namespace zelanto::cli {
namespace {

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

#include "cli/cli_arguments.h"

#include <charconv>

#include "cad/plot.h"
#include "coords/sim_import.h"
#include "texts/shared_texts.h"

namespace zelanto::cli {
namespace {

// "1/100 1/200 … 1/1000", in list order.
std::string scaleList() {
    std::string list;
    for (const cad::Scale& scale : cad::kScales) {
        if (!list.empty()) {
            list += ' ';
        }
        list += scale.text;
    }
    return list;
}

std::int16_t scaleValue(const std::string& text) {
    const auto denominator = cad::scaleDenominator(text);
    if (!denominator) {
        throw UsageError("縮尺 " + text + " は使えません（" + scaleList() + "）");
    }
    return *denominator;
}

ImportArguments parseImport(ArgumentList& list) {
    ImportArguments import;
    std::optional<std::filesystem::path> file;
    while (!list.done()) {
        const std::string& argument = list.take();
        if (argument == "--scale") {
            import.denominator = scaleValue(list.valueOf(argument));
        } else if (argument == "--script") {
            setOnce(import.script, argument, list.valueOf(argument));
        } else if (argument == "--dxf") {
            setOnce(import.dxf, argument, list.valueOf(argument));
        } else if (argument == "--xlsx") {
            setOnce(import.xlsx, argument, list.valueOf(argument));
        } else if (argument.starts_with("--")) {
            throw UsageError("知らないオプションです: " + argument);
        } else {
            setOnce(file, "SIM ファイル", argument);
        }
    }
    if (!file) {
        throw UsageError("import には SIM ファイルを一つ指定してください");
    }
    import.file = *file;
    return import;
}

MergeArguments parseMerge(ArgumentList& list) {
    MergeArguments merge;
    std::optional<std::filesystem::path> out;
    while (!list.done()) {
        const std::string& argument = list.take();
        if (argument == "--out") {
            setOnce(out, argument, list.valueOf(argument));
        } else if (argument == "--xlsx") {
            setOnce(merge.xlsx, argument, list.valueOf(argument));
        } else if (argument.starts_with("--")) {
            throw UsageError("知らないオプションです: " + argument);
        } else {
            merge.files.emplace_back(argument);
        }
    }
    if (merge.files.empty() || merge.files.size() > coords::kMergeFileLimit) {
        throw UsageError("merge には SIM ファイルを一つから三つ指定してください");
    }
    if (!out) {
        throw UsageError("merge には --out で書き出す SIM ファイルを指定してください");
    }
    merge.out = *out;
    return merge;
}

ParcelsArguments parseParcels(ArgumentList& list) {
    ParcelsArguments parcels;
    std::optional<std::filesystem::path> file;
    while (!list.done()) {
        const std::string& argument = list.take();
        if (argument == "--csv") {
            setOnce(parcels.csv, argument, list.valueOf(argument));
        } else if (argument == "--detail") {
            parcels.detail = true;
        } else if (argument.starts_with("--")) {
            throw UsageError("知らないオプションです: " + argument);
        } else {
            setOnce(file, "SIM ファイル", argument);
        }
    }
    if (!file) {
        throw UsageError("parcels には SIM ファイルを一つ指定してください");
    }
    parcels.file = *file;
    return parcels;
}

// A side of a picture in pixels: "1024"; from kSmallestPicture to kLargestPicture.
int pictureSide(const std::string& text, const std::string& option) {
    int side = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), side);
    if (error != std::errc() || end != text.data() + text.size() || side < kSmallestPicture ||
        side > kLargestPicture) {
        throw UsageError(option + " の大きさ " + text + " は使えません（" +
                         std::to_string(kSmallestPicture) + " から " +
                         std::to_string(kLargestPicture) + " ピクセル）");
    }
    return side;
}

PreviewArguments parsePreview(ArgumentList& list) {
    PreviewArguments preview;
    std::optional<std::filesystem::path> file;
    std::optional<std::filesystem::path> png;
    std::optional<std::string> size;
    std::optional<std::string> thumbnail;
    while (!list.done()) {
        const std::string& argument = list.take();
        if (argument == "--png") {
            setOnce(png, argument, list.valueOf(argument));
        } else if (argument == "--size") {
            size = list.valueOf(argument);
        } else if (argument == "--scale") {
            preview.denominator = scaleValue(list.valueOf(argument));
        } else if (argument == "--thumbnail") {
            thumbnail = list.valueOf(argument);
        } else if (argument.starts_with("--")) {
            throw UsageError("知らないオプションです: " + argument);
        } else {
            setOnce(file, "SIM ファイル", argument);
        }
    }
    if (!file || !png) {
        throw UsageError(
            "preview には SIM ファイルを一つと --png で書き出す PNG ファイルを指定してください");
    }
    preview.file = *file;
    preview.png = *png;
    if (thumbnail) {
        if (size || preview.denominator) {
            throw UsageError("--thumbnail は --size や --scale と一緒には使えません");
        }
        preview.width = preview.height = pictureSide(*thumbnail, "--thumbnail");
        preview.names = false;
    } else if (size) {
        const auto x = size->find('x');
        if (x == std::string::npos) {
            throw UsageError("--size は 幅x高さ で指定してください（例 1024x768）: " + *size);
        }
        preview.width = pictureSide(size->substr(0, x), "--size");
        preview.height = pictureSide(size->substr(x + 1), "--size");
    }
    return preview;
}

}  // namespace

std::string usageText() {
    return std::string(
               "使い方:\n"
               "  zelanto-cli import FILE.sim [--scale 1/N] [--script OUT.scr] [--dxf OUT.dxf]\n"
               "                     [--xlsx OUT.xlsx]\n"
               "  zelanto-cli merge A.sim [B.sim [C.sim]] --out OUT.sim [--xlsx OUT.xlsx]\n"
               "  zelanto-cli parcels FILE.sim [--csv OUT.csv] [--detail]\n"
               "  zelanto-cli export FILE.sim --zone N --out OUT.{geojson,kml,gpkg,csv}\n"
               "                     [--datum jgd2011|jgd2000|tokyo] [--encoding cp932|utf-8]\n"
               "  zelanto-cli tosim IN --zone N --out OUT.sim [--number FIELD] [--name FIELD]\n"
               "                    [--elevation FIELD] [--parcel-number FIELD]\n"
               "                    [--parcel-name FIELD] [--datum jgd2011|jgd2000|tokyo]\n"
               "                    [--assume-zone]\n"
               "  zelanto-cli preview FILE.sim --png OUT.png [--size WxH] [--scale 1/N]\n"
               "  zelanto-cli preview FILE.sim --png OUT.png --thumbnail N\n"
               "  zelanto-cli --help\n"
               "\n"
               "import  SIM ファイルを一つ読み込み、座標シートに入れます（最大 50,000 点）。\n"
               "  --scale 1/N       プロットの縮尺: ") +
           scaleList() +
           "\n"
           "                    （省略時 " +
           std::string(cad::kDefaultScale.text) +
           "）\n"
           "  --script OUT.scr  その縮尺のプロットスクリプトを書き出します（CP932, CR LF）。\n"
           "  --dxf OUT.dxf     スクリプトが描く図面を DXF で書き出します（AutoCAD 2000 形式、\n"
           "                    文字は ANSI_932）。北が上、東が右。\n"
           "  --xlsx OUT.xlsx   座標シートを .xlsx で書き出します。\n"
           "merge   一つから三つの SIM ファイルを一枚の座標シートに続けて読み込み、\n"
           "        電算No を連番に書き換えた一つの SIM ファイルにします。\n"
           "  --out OUT.sim     書き出す SIM ファイル（必須。あれば置き換えます）。\n"
           "  --xlsx OUT.xlsx   座標シートを .xlsx で書き出します。\n"
           "parcels SIM ファイルの画地（D00 から D99 までのブロック）ごとに一行、タブ区切りで\n"
           "        番号・名称・点数・面積（平方メートル）・周長（メートル）を表示します。\n"
           "        構成点（B01）は A01 の点を電算No（数値として比べます）で探し、\n"
           "        なければ測点名で探します。構成点の後の辺（C03: 辺長と方向角 ddd.mmss）は\n"
           "        座標と照らし、丸めで説明できない差を警告します（終了コードは変わりません）。\n"
           "  --csv OUT.csv     同じ表を CSV ファイル（CP932, CR LF）に書き出します。\n"
           "  --detail          画地ごとに座標求積表（X座標・Y座標・Yn+1−Yn−1・\n"
           "                    Xn×(Yn+1−Yn−1)、最後に倍面積）を添えます。C03 のある画地では\n"
           "                    各構成点に次の点への辺長・方向角を、座標からと C03 のとおりに\n"
           "                    並べます。\n"
           "export  SIM ファイルの点と画地を GIS のファイルに書き出します。形式は OUT の拡張子\n"
           "        で決まります: .geojson と .kml は経度緯度（JGD2011）で点と画地を一つの\n"
           "        ファイルに、.gpkg はその系の座標のままレイヤー points と parcels に、\n"
           "        .csv は点だけを。点のフィールドは 電算No・測点名・X・Y・標高（読んだ\n"
           "        数値のまま）・経度・緯度、画地は 番号・名称・点数・面積・周長。\n"
           "  --zone N          平面直角座標系の系番号 1 から 19（必須。SIM ファイルには\n"
           "                    書かれていないため推測しません）。X は北、Y は東。\n"
           "  --datum D         測地系: jgd2011（省略時, EPSG:6669-6687）, jgd2000\n"
           "                    （EPSG:2443-2461）, tokyo（旧日本測地系, EPSG:30161-30179）。\n"
           "  --encoding E      CSV の文字コード: cp932（省略時）か utf-8。改行は CR LF。\n"
           "tosim   GDAL が読める GIS のファイル（GeoJSON, KML, GeoPackage, Shapefile, CSV\n"
           "        など）の点と面を、その座標参照系から系の座標に変換して SIM ファイルに\n"
           "        します（CP932, CR LF）。面は画地（D00/B01/D99）になり、その構成点は\n"
           "        ファイルの点です（同じ位置の点は一度だけ書きます）。CSV は X・Y 列\n"
           "        （X が北）か 経度・緯度 列（longitude/latitude, lon/lat。.prj がなければ\n"
           "        JGD2011）から点を作ります。\n"
           "  --zone N, --datum D  書き出す系と測地系（export と同じ）。\n"
           "  --number FIELD    電算No のフィールド（省略時 1, 2, 3 …）。\n"
           "  --name FIELD      測点名のフィールド（省略時 空）。\n"
           "  --elevation FIELD 標高のフィールド（省略時 点の Z、なければ空）。\n"
           "  --parcel-number FIELD, --parcel-name FIELD\n"
           "                    画地の番号と名称のフィールド（省略時 --number と --name の\n"
           "                    フィールド、それもなければ 1, 2, 3 … と空）。\n"
           "  --assume-zone     座標参照系のないレイヤーの座標をその系の座標とみなします\n"
           "                    （GIS の順で東が先。CSV の X・Y 列は X が北）。\n"
           "preview SIM ファイルの全点を、プロットの図面のとおり PNG の絵にします\n"
           "        （北が上）。点と円は青、測点名は黒、画地の輪郭と名称は緑で、余白を\n"
           "        残して絵に収めます。重なる測点名もそのまま描きます。\n"
           "  --png OUT.png     書き出す PNG ファイル（必須。あれば置き換えます）。\n"
           "  --size WxH        絵の幅と高さ（ピクセル、省略時 1024x768）。\n"
           "  --scale 1/N       その縮尺のプロットの円と文字の大きさで描き、左下に\n"
           "                    メートルの縮尺バーを添えます\n"
           "                    （省略時 " +
           std::string(cad::kDefaultScale.text) +
           " の大きさ、バーなし）。\n"
           "  --thumbnail N     ファイルマネージャーのサムネイル: 一辺 N ピクセルの\n"
           "                    正方形、測点名なし。絵の一辺は " +
           std::to_string(kSmallestPicture) + " から " + std::to_string(kLargestPicture) +
           " ピクセルです。\n"
           "\n"
           "終了コード: 0 成功, 1 書き出しの失敗, 2 SIM ファイルの読込みエラー（何も書き出しません。\n"
           "            tosim では入力ファイル）, 3 " +
           texts::kNoPlottableData +
           "（parcels では画地が、\n"
           "            tosim では点も面もありません、preview では描くものがありません）,\n"
           "            64 引数の誤り\n";
}

const char* programOfCommand(std::string_view command) {
    if (command == "export" || command == "tosim") {
        return "zelanto-map";
    }
    return command == "preview" ? "zelanto-picture" : nullptr;
}

Command parseArguments(const std::vector<std::string>& arguments) {
    ArgumentList list(arguments);
    if (list.done()) {
        throw UsageError("コマンドがありません");
    }
    const std::string& command = list.take();
    if (command == "--help" || command == "-h" || command == "help") {
        return HelpRequest{};
    }
    for (const auto& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            return HelpRequest{};
        }
    }
    if (command == "import") {
        return parseImport(list);
    }
    if (command == "merge") {
        return parseMerge(list);
    }
    if (command == "parcels") {
        return parseParcels(list);
    }
    if (command == "preview") {
        return parsePreview(list);
    }
    throw UsageError("知らないコマンドです: " + command);
}

}  // namespace zelanto::cli

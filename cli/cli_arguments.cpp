#include "cli/cli_arguments.h"

#include <charconv>

#include "cad/scale_list.h"
#include "coords/sim_merge.h"
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

class ArgumentList {
public:
    explicit ArgumentList(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    bool done() const { return next_ == arguments_.size(); }
    const std::string& take() { return arguments_[next_++]; }
    const std::string& valueOf(const std::string& option) {
        if (done()) {
            throw UsageError(option + " の後に値がありません");
        }
        return take();
    }

private:
    const std::vector<std::string>& arguments_;
    size_t next_ = 0;
};

std::int16_t scaleValue(const std::string& text) {
    const auto denominator = cad::scaleDenominator(text);
    if (!denominator) {
        throw UsageError("縮尺 " + text + " は使えません（" + scaleList() + "）");
    }
    return *denominator;
}

void setOnce(std::optional<std::filesystem::path>& target, const std::string& option,
             const std::string& value) {
    if (target) {
        throw UsageError(option + " が二度指定されています");
    }
    target = value;
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
           "        なければ測点名で探します。\n"
           "  --csv OUT.csv     同じ表を CSV ファイル（CP932, CR LF）に書き出します。\n"
           "  --detail          画地ごとに座標求積表（X座標・Y座標・Yn+1−Yn−1・\n"
           "                    Xn×(Yn+1−Yn−1)、最後に倍面積）を添えます。\n"
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
           "終了コード: 0 成功, 1 書き出しの失敗, 2 SIM ファイルの読込みエラー（何も書き出しません）,\n"
           "            3 " +
           texts::kNoPlottableData +
           "（parcels では画地がありません、\n"
           "              preview では描くものがありません）,\n"
           "            64 引数の誤り\n";
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
